// Linked into the component itself rather than into laminar_qt: loading the
// component plugs its Qt window into the core's runs. A static library would
// drop this unreferenced object, and the exports stay free of Qt.
#include "qt/QtWindowRunner.h"

namespace {

[[maybe_unused]] const bool windowRunnerRegistered = (lm::setWindowRunner(&lm::qt::runEditorWindow), true);

} // namespace
