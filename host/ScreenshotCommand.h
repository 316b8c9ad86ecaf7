#pragma once
// `laminar FILE --screenshot OUT.png [--tab N] [--split ...]`: the editor
// window run modelessly, drawn into a PNG picture and closed without changes.
#include "EditorOptions.h"
#include "StackupArchive.h"

#include <iosfwd>

namespace lmhost {

// Without a display and without QT_QPA_PLATFORM the picture is drawn
// offscreen; call before anything starts Qt.
void chooseOffscreenWithoutDisplay();

int takeScreenshot(const EditorOptions& options, const StackupDocument& document, std::ostream& out,
                   std::ostream& err);

} // namespace lmhost
