#pragma once
// `laminar FILE`: the editor on a stackup file, modally; Apply & Close writes
// the edited boards back. With --screenshot the window runs modelessly instead
// and is drawn into a PNG (ScreenshotCommand.h).
#include "EditorOptions.h"

#include <iosfwd>

namespace lmhost {

// Exit codes of the editor forms.
enum EditorExitCode : int {
    kEditorDone = 0,         // written, discarded, or the picture saved
    kEditorFailed = 1,       // the window could not be opened, or a write failed
    kEditorBadInput = 2,     // the file is missing or malformed, or bad usage
};

int runEditor(const EditorOptions& options, std::ostream& out, std::ostream& err);

} // namespace lmhost
