#pragma once
// Which Qt platforms can show windows in this session, found out before Qt
// starts: a Qt platform plugin that cannot reach its display ends the whole
// process, and the host must never be ended by the editor.
#include <string>

namespace lm {

// The platform names whose display answers and whose Qt plugin loads, native
// Wayland before X11, joined by ';' as Qt's "-platform" argument takes a list
// of fallbacks ("wayland;xcb"). Empty when no display can be reached.
std::string reachablePlatforms();

} // namespace lm
