#include "ui/CommandHandlers.h"

#include "res/CommandIds.h"
#include "command/CommandTarget.h"
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

void addArchiveAndHelpCommands(CommandMap& dialog, const EditorDocument& document, Platform& platform)
{
    for (const res::ArchiveCommand& command : res::kArchiveCommands) {
        const uint32_t id = command.commandId;
        dialog.add(id, [&document, id] { performArchiveCommand(document.archiveCallback, id); });
    }
    dialog.add({res::IDHELP, res::ID_HELP_CONTENTS}, [&document, &platform] { showHelp(document.helpInfo, platform); });
}

} // namespace lm
