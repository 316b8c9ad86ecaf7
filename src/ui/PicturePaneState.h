#pragma once
// The picture pane's bar as data: the status line of the rules check with its
// colour, the board's total thickness, and the two check boxes with what a
// click on them changes.
#include "document/EditSettings.h"
#include "picture/PictureLabels.h" // totalThicknessText, shown under the picture
#include "ui/PropertyBarState.h"

#include <string>

namespace lm {

struct StatusLine {
    std::string text;
    int32_t severity = 0;
    uint32_t colour = 0; // 0x00BBGGRR
};

// Blue for a warning, red for an error or a critical finding, black otherwise.
uint32_t statusLineColour(int32_t severity);
// CheckStackup of the settings' checker on the current board; without a
// checker or a board an empty black line of severity 0.
StatusLine checkStatusLine(const LMEDITSETTINGS& settings);

// "Draw proportionally" follows its setting; "Use layer colors" is offered
// only with the layer-colour capability and is checked only then.
ControlStates pictureBarStates(const LMEDITSETTINGS& settings);

enum class PictureChange { None, Relayout, Redraw };
// A check box of the picture bar was clicked (1005, 1035).
PictureChange pictureBarCheckChanged(LMEDITSETTINGS& settings, uint32_t controlId, bool checked);

} // namespace lm
