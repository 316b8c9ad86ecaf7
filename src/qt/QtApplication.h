#pragma once
// The Qt application the editor's windows live in: the host's own when it runs
// Qt Widgets, else one the library brings along.

namespace lm {

// True when a QApplication is ready on the calling thread: the host's, or one
// created now and kept for the rest of the process. False, with one line on
// standard error and nothing created, when no display can be reached (and
// QT_QPA_PLATFORM does not name a platform), when the host's Qt application
// cannot show widgets, or when called off its thread. Never ends the process.
bool ensureQtApplication();

} // namespace lm
