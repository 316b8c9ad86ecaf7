#pragma once
// The component's compiled-in Qt resources (the tool bar's icons and the
// editor's own icon). A static library's resources are registered only when asked for.
#include <QIcon>

namespace lm::qt {

// Registers them once; later calls do nothing.
void initResources();

// Icon 1028: the editor window's and the about box's.
QIcon editorIcon();

} // namespace lm::qt
