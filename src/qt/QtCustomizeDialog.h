#pragma once
// The Customize Spreadsheet dialog (template 1016) over the core's column list.
class QWidget;

namespace lm {
class CustomizeColumns;
}

namespace lm::qt {

// Runs the dialog modally on `model`; true when the user chose OK (then
// model.accepted() is the new descriptor).
bool runCustomizeDialog(QWidget* parent, lm::CustomizeColumns& model);

} // namespace lm::qt
