#include "grid/TabChangeCmd.h"

namespace lm {

std::unique_ptr<CTabChangeCmd> CTabChangeCmd::forSwitch(TabSwitchTarget* target, int32_t previousTab, int32_t newTab)
{
    if (previousTab == -1 || previousTab == newTab)
        return nullptr;
    return std::make_unique<CTabChangeCmd>(target, previousTab, newTab);
}

bool CTabChangeCmd::ApplyCommand(UndoStack& history, CommandType type)
{
    history.record(std::make_unique<CTabChangeCmd>(target_, previousTab_, newTab_), type);
    if (target_)
        target_->selectTabById(type == CommandType::Undo ? previousTab_ : newTab_);
    return true;
}

} // namespace lm
