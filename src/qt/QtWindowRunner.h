#pragma once
// The Qt runner of the editor window, registered with setWindowRunner by the
// component when it is loaded.
#include "api/EditorRun.h"

namespace lm::qt {

// False, with nothing shown, when no Qt application can be had. Modal: runs
// the dialog's own loop and answers whether the edits were applied. Modeless:
// shows the window and answers true; the window ends itself.
bool runEditorWindow(EditorInstance& instance, RunMode mode, LMCLOSEPROC closeProc, const char* context);

} // namespace lm::qt
