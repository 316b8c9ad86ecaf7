#include "ui/CommandHandlers.h"

#include "api/EditorInstance.h"
#include "res/CommandIds.h"
#include "ui/CommandTarget.h"
#include "ui/Help.h"

namespace lm {

bool performArchiveCommand(ILMArchiveCallback* callback, uint32_t commandId)
{
    if (!callback)
        return false;
    for (const res::ArchiveCommand& command : res::kArchiveCommands) {
        if (command.commandId != commandId)
            continue;
        if (!callback->IsSupported(command.operation))
            return false;
        callback->Perform(command.operation);
        return true;
    }
    return false;
}

void addArchiveAndHelpCommands(CommandMap& dialog, EditorInstance& instance, Platform& platform)
{
    for (const res::ArchiveCommand& command : res::kArchiveCommands) {
        const uint32_t id = command.commandId;
        dialog.add(id, [&instance, id] { performArchiveCommand(instance.archiveCallback(), id); });
    }
    dialog.add({res::IDHELP, res::ID_HELP_CONTENTS}, [&instance, &platform] { showHelp(instance.helpInfo(), platform); });
}

} // namespace lm
