// Loading the component plugs its Qt window into the core's runs. Kept apart
// from the exported functions, which the fuzz targets build without Qt.
#include "api/EditorRun.h"
#include "qt/QtWindowRunner.h"

namespace {

[[maybe_unused]] const bool windowRunnerRegistered = (lm::setWindowRunner(&lm::qt::runEditorWindow), true);

} // namespace
