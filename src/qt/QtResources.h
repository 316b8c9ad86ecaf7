#pragma once
// The component's compiled-in Qt resources (the tool bar's icons). A static
// library's resources are registered only when asked for.

namespace lm::qt {

// Registers them once; later calls do nothing.
void initResources();

} // namespace lm::qt
