#pragma once
// Input as the window system delivers it, for the Qt and window tests: mouse
// events sent to a widget, keys to whatever has the focus, and a user who acts
// on a window once it shows.
#include <QApplication>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace lm::test {

// A mouse event at `at`: a press or release is of the left button; `held`, the buttons down after it.
inline void sendMouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButtons held,
                      Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, target->mapToGlobal(at), button, held, modifiers);
    QApplication::sendEvent(target, &event);
}

// Where the keyboard sends keys: the focused widget (the cell's editor once one is open), else `fallback`.
inline QWidget* keyTarget(QWidget* fallback)
{
    QWidget* focus = QApplication::focusWidget();
    return focus != nullptr ? focus : fallback;
}

// Runs `user` on the first visible top-level `Window` once one shows, as the
// code under test opens it (for about a second at most).
template <typename Window>
void whenShown(std::function<void(Window&)> user, int triesLeft = 200)
{
    QTimer::singleShot(5, [user, triesLeft] {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* window = qobject_cast<Window*>(widget); window && window->isVisible())
                return user(*window);
        if (triesLeft > 0)
            whenShown<Window>(user, triesLeft - 1);
    });
}

} // namespace lm::test
