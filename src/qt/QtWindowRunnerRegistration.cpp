// Loading the component plugs its Qt window and its file outputs into the
// core. Kept apart from the exported functions, which the fuzz targets build
// without Qt.
#include "api/EditorRun.h"
#include "api/OutputFiles.h"
#include "qt/QtApplication.h"
#include "qt/QtPrinting.h"
#include "qt/QtWindowRunner.h"

namespace {

lm::OutputFiles* qtOutputFiles()
{
    if (!lm::ensureQtApplication())
        return nullptr;
    static lm::qt::QtOutputFiles files;
    return &files;
}

[[maybe_unused]] const bool windowRunnerRegistered = (lm::setWindowRunner(&lm::qt::runEditorWindow), true);
[[maybe_unused]] const bool outputFilesRegistered = (lm::setOutputFilesProvider(&qtOutputFiles), true);

} // namespace
