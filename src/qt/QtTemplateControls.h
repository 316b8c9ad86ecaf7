#pragma once
// Widgets from dialog-template items: one Qt control per item, named by its
// control id, placed by the template's dialog units in the font's base units.
// The panes' property bars and the small dialogs build themselves with these.
#include "res/DialogTemplates.h"
#include "ui/WindowLayout.h"

#include <QRect>

#include <vector>

class QFont;
class QWidget;

namespace lm::qt {

// The font's base units: the dialogs' average character width rule and its height.
BaseUnits baseUnitsOf(const QFont& font);

// One widget per item, in template order (button, check box, label, edit,
// drop-down list filled with its initial strings, group box, check list,
// icon, radio button, progress bar), children of `parent`, named by the id, hidden
// when the template hides them; null for a tab control or a custom window, which
// its owner builds itself. A label's
// mnemonic moves the focus to the control that follows it in the template.
// Group boxes go below their neighbours so that the controls inside show.
std::vector<QWidget*> createTemplateControls(const res::DialogTemplate& dialog, QWidget* parent);

// A whole dialog from the template: its title, fixed client size and every
// control placed; the controls in template order as createTemplateControls gives them.
std::vector<QWidget*> buildTemplateDialog(const res::DialogTemplate& dialog, QWidget* dialogWidget);

} // namespace lm::qt
