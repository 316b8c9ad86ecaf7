#include "api/EditorRun.h"

#include <cstdio>

namespace lm {

namespace {

// Without a front end the host gets false and one line on stderr.
bool noWindow(EditorInstance&, RunMode, LMCLOSEPROC, const char*)
{
    std::fputs("laminar: the editor window is not available in this build\n", stderr);
    return false;
}

WindowRunner currentRunner = &noWindow;

} // namespace

void setWindowRunner(WindowRunner runner) { currentRunner = runner ? runner : &noWindow; }

bool runEditorWindow(EditorInstance& instance, RunMode mode, LMCLOSEPROC closeProc, const char* context)
{
    return currentRunner(instance, mode, closeProc, context);
}

} // namespace lm
