#pragma once
// lmWriteOutput: the editor's printouts and copies written to files. The
// front end that can render them registers its writer when the component is
// loaded; without one nothing is written.
#include <laminar/laminar.h>

namespace lm {

class EditorInstance;
class OutputFiles;
// Ensures what the writer needs (a GUI application) and gives it; null when unavailable.
using OutputFilesProvider = OutputFiles* (*)();

void setOutputFilesProvider(OutputFilesProvider provider);

bool writeOutput(EditorInstance& instance, const char* path, const LMOUTPUTREQUEST& request);

} // namespace lm
