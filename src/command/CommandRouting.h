#pragma once
// Where a command goes and who decides whether it is enabled: the layer grid
// first, then the editor dialog, last the application object.
#include "res/Menus.h"
#include "command/CommandTarget.h"

#include <functional>
#include <string_view>
#include <vector>

namespace lm {

// Notification codes of a command message. Menus and button clicks send 0,
// accelerators 1; only these two are offered to the grid first.
enum CommandCode : uint32_t { kCodeMenuOrClick = 0, kCodeAccelerator = 1 };

class CommandRouter {
public:
    // Any target may be null (the grid while the panes are being re-created).
    void setGrid(CommandTarget* grid) { grid_ = grid; }
    void setDialog(CommandTarget* dialog) { dialog_ = dialog; }
    void setApplication(CommandTarget* application) { application_ = application; }
    // The grid's idle refresh, run after the tool bar update.
    void setGridIdleRefresh(std::function<void()> refresh) { gridIdleRefresh_ = std::move(refresh); }

    // True when some target handled the command.
    bool route(uint32_t id, uint32_t code = kCodeMenuOrClick);
    // A pane or its property bar: the window routes first, then the pane.
    bool routeFromPane(uint32_t id, uint32_t code, CommandTarget& pane);
    // An accelerator stands for its menu item: ignored while that is disabled.
    bool routeAccelerator(uint32_t id);

    // The grid's update handler decides, else the dialog's; where the handler
    // chose no enabled state (or none exists) a command nobody handles is
    // disabled and one somebody handles is enabled.
    void update(CommandUi& ui);
    // A popup opens: its own command items, last to first (submenus update
    // when they open themselves).
    void updateMenuPopup(const std::vector<res::MenuItem>& popup, CommandStates& states);
    // Idle: the tool bar's buttons last to first, then the grid's idle refresh.
    void updateToolBar(CommandStates& states);

private:
    bool anyHandles(uint32_t id) const;

    CommandTarget* grid_ = nullptr;
    CommandTarget* dialog_ = nullptr;
    CommandTarget* application_ = nullptr;
    std::function<void()> gridIdleRefresh_;
};

// The tool tip of a command: its string-table prompt up to the first line
// break, at most 80 characters.
std::string_view toolTipText(uint32_t id);
std::string_view toolTipOfPrompt(std::string_view prompt);

// Where the keyboard focus is when a key goes down.
enum class KeyFocus {
    Grid,       // the layer grid itself
    CellEditor, // the editor open on one of the grid's cells
    TextField,  // another text field of the window (a property bar's)
    Other,
};

// The command a key-down gives, 0 for none. Delete (with any modifiers) stays
// with the focused control unless that is the layer grid, so that it deletes
// characters in edit fields; the clipboard keys stay with a text field outside
// the grid, whose own text they copy and paste.
uint32_t commandForKey(res::KeyChord chord, KeyFocus focus);

} // namespace lm
