#include "api/EditorRun.h"

#include <cstdio>

namespace lm {

// This build carries no window; the host gets false and one line on stderr.
bool runEditorWindow(EditorInstance&, RunMode, LMCLOSEPROC, const char*)
{
    std::fputs("laminar: the editor window is not available in this build\n", stderr);
    return false;
}

} // namespace lm
