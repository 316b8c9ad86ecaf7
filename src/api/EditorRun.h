#pragma once
// Opening the editor window for a run: the one place where a front end plugs
// in. The core stays free of any toolkit; the component registers its window
// runner when it is loaded, tests may register a fake one. The runner creates
// the window, reports it with EditorInstance::openedWindow(...) and, when it
// is gone, windowDestroyed().
#include <laminar/laminar.h>

namespace lm {

class EditorInstance;

enum class RunMode { Modal, Modeless };

// Called only for an instance that holds a board and has no open window.
// Modal: returns once the dialog ended, true when the edits were applied.
// Modeless: shows the window (which keeps the close function and context) and
// returns true at once. False when no window can be shown.
using WindowRunner = bool (*)(EditorInstance& instance, RunMode mode, LMCLOSEPROC closeProc, const char* context);

// Replaces the runner; null restores the one that reports that no window is available.
void setWindowRunner(WindowRunner runner);

bool runEditorWindow(EditorInstance& instance, RunMode mode, LMCLOSEPROC closeProc, const char* context);

} // namespace lm
