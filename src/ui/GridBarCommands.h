#pragma once
// What a change of a control of the grid pane's property bar does: the core
// reads the control's new value, changes the settings, makes the grid show
// its values again where needed and answers what the bar must show. The Qt
// pane only reads the control and applies the answer.
#include "ui/PropertyBarState.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace lm {

class LayerGrid;
class Platform;

// Notification codes a bar control reports with its command.
enum BarNotification : uint32_t {
    kBarClicked = 0,          // push button, check box
    kBarSelectionChange = 1,  // drop-down list
    kBarEditChange = 0x300,   // edit field text changed
};

// What the control holds after the change.
struct BarControlValue {
    int32_t selection = -1; // drop-down lists
    bool checked = false;   // check boxes
    std::string text;       // edit fields
};

struct BarAnswer {
    ControlStates controls;          // controls of the bar whose state follows from the change
    std::optional<std::string> text; // the changed edit field shows this instead of what was typed
    std::size_t caret = 0;           // and its caret goes here
};

// Control `id` of the grid bar reported `code`. Refused keystrokes in the Er
// frequency field beep through `platform`. Controls the bar does not act on
// (Apply as Test Width, Customize..., which the window is offered first) answer nothing.
BarAnswer gridBarCommand(LayerGrid& grid, Platform& platform, uint32_t id, uint32_t code,
                         const BarControlValue& value, char decimalPoint);

} // namespace lm
