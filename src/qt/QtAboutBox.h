#pragma once
// The about box (template 100).
class QWidget;

namespace lm::qt {

// Shows the box modally over `parent`.
void showAboutBox(QWidget* parent);

} // namespace lm::qt
