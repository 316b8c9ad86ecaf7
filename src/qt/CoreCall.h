#pragma once
// Input the core handles runs inside Qt's event handlers, which must not
// unwind: a failure the core raises is refused like a refused keystroke.
#include <QApplication>

#include <exception>

namespace lm::qt {

// True when the work ran to its end.
template <typename Work>
bool callCore(Work&& work)
{
    try {
        work();
        return true;
    } catch (const std::exception&) {
        QApplication::beep();
        return false;
    }
}

} // namespace lm::qt
