#include "command/CommandTarget.h"

namespace lm {

void CommandMap::add(std::initializer_list<uint32_t> ids, const Handler& handler)
{
    for (uint32_t id : ids)
        handlers_[id] = handler;
}

bool CommandMap::onCommand(uint32_t id)
{
    const auto found = handlers_.find(id);
    if (found == handlers_.end())
        return false;
    // A copy: the handler may close the window and with it this map.
    const Handler handler = found->second;
    handler();
    return true;
}

bool CommandMap::updateCommand(CommandUi& ui)
{
    const auto found = updates_.find(ui.id());
    if (found == updates_.end())
        return false;
    found->second(ui);
    return true;
}

} // namespace lm
