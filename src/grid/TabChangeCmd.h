#pragma once
// Undo of a switch of the grid's tab, so that undo and redo take the user back
// to the tab the edits were made on.
#include "sheet/UndoStack.h"

#include <cstdint>
#include <memory>

namespace lm {

// Whoever makes a tab current on the grid's behalf (the main dialog).
class TabSwitchTarget {
public:
    virtual bool selectTabById(int32_t tabId) = 0;

protected:
    ~TabSwitchTarget() = default;
};

class CTabChangeCmd : public UndoableCommand {
public:
    CTabChangeCmd(TabSwitchTarget* target, int32_t previousTab, int32_t newTab)
        : target_(target), previousTab_(previousTab), newTab_(newTab) {}

    // The command for a switch of the grid's tab; none for the first tab a grid
    // gets (previous -1) or for a switch to the tab already current.
    static std::unique_ptr<CTabChangeCmd> forSwitch(TabSwitchTarget* target, int32_t previousTab, int32_t newTab);

    // Records its twin with the same type, then makes the previous tab current
    // for undo and the new one for redo and discard.
    bool ApplyCommand(UndoStack& history, CommandType type) override;

    int32_t previousTab() const { return previousTab_; }
    int32_t newTab() const { return newTab_; }

private:
    TabSwitchTarget* target_; // not owned
    int32_t previousTab_;
    int32_t newTab_;
};

} // namespace lm
