#pragma once
// The grid pane's property bar as settings: which of its controls show, which
// are enabled, checked or selected and what their lists hold, and what a
// change of a control does to the editor settings. The Qt pane applies the
// states to the controls its template created and reports changes here.
#include "document/EditSettings.h"
#include "res/DialogTemplates.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lm {

struct ControlState {
    uint32_t id = 0;
    bool shown = true;
    bool enabled = true;
    std::optional<bool> checked;                 // check boxes
    std::optional<int32_t> selection;            // drop-down lists
    std::optional<std::vector<std::string>> items; // replaces a list's strings
    std::optional<std::string> text;             // edit fields
};

using ControlStates = std::vector<ControlState>;
// The state of that control; null when the states do not include it.
const ControlState* findControlState(const ControlStates& states, uint32_t controlId);

// The states of the controls of that bar which the settings decide (labels that
// always show are left out). decimalPoint: the user's decimal separator.
ControlStates gridBarStates(const res::DialogTemplate& bar, const LMEDITSETTINGS& settings, char decimalPoint);

// What a control change asks of the rest of the window.
struct GridBarEffect {
    bool reshowValues = false;    // the grid shows its values again in the new unit or mode
    bool planningChanged = false; // the grid's planning cells follow the new mode or strategy
    bool refreshGrid = false;     // inputs of the computed values changed (Auto Er, Er frequency)
    ControlStates controls;       // controls of the bar whose state follows from the change
};

// A drop-down list of the bar changed its selection (1008, 1010, 1022, 1020).
GridBarEffect gridBarSelectionChanged(LMEDITSETTINGS& settings, uint32_t controlId, int32_t selection);
// A check box of the bar was clicked (1030).
GridBarEffect gridBarCheckChanged(LMEDITSETTINGS& settings, uint32_t controlId, bool checked);

// The Er frequency field keeps digits and one decimal separator only.
struct CleanedText {
    std::string text;
    bool changed = false;  // the field must show `text` instead of what was typed
    std::size_t caret = 0; // where the first refused character was
    int32_t beeps = 0;     // one for a refused keystroke, however many characters went
};
CleanedText cleanErFrequencyText(std::string_view typed, char decimalPoint);

struct ErFrequencyEdit {
    CleanedText cleaned;
    GridBarEffect effect;
};
// The field's text changed: the frequency (typed in MHz) goes into the settings
// and into every layer of the board shown.
ErFrequencyEdit erFrequencyEdited(LMEDITSETTINGS& settings, std::string_view typed, char decimalPoint);

} // namespace lm
