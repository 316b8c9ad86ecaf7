#pragma once
// The two graph dialogs on Qt, over the core's dialogs: the Z0 curve
// (template 1015) and the loss-versus-frequency graph (template 588).
class QFont;
class QWidget;

namespace lm {
class CLossCurve;
class CZ0CurveDialog;
}

namespace lm::qt {

// Modal; the sweep runs one step per pass of the dialog's event loop. The
// chart's labels take the grid's font.
void runZ0CurveDialog(QWidget* parent, CZ0CurveDialog& dialog, const QFont& gridFont);
// Modal; the options are stored when it closes.
void runLossCurveDialog(QWidget* parent, CLossCurve& dialog, const QFont& gridFont);

} // namespace lm::qt
