#pragma once
// Idle passes for the editor: its work (tool bar update, grid commit, computed
// values) runs when the event loop has nothing left to do, as on the idle
// passes of a desktop dialog's modal loop.
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>

class QWidget;

namespace lm {

// A pass runs once the loop is about to wait, and only when one was asked
// for: by request(), by user input reaching the scope (keys, mouse buttons,
// wheel, text input, drops, focus, showing), or by the previous pass. Any
// number of requests before the loop waits make one pass. This works in the
// editor's modal dialog loop, in the host's own Qt loops and, through a short
// fallback timer, in a host's GLib loop that never announces its waits.
class IdleScheduler : public QObject {
    Q_OBJECT

public:
    // One idle pass; true when it wants another one (a sweep done step by step).
    using Pass = std::function<bool()>;

    // `scope` limits the input that asks for passes to that window and its
    // children; null takes input anywhere in the application. The first pass
    // is asked for at once. Needs the thread's Qt application.
    explicit IdleScheduler(Pass pass, QWidget* scope = nullptr, QObject* parent = nullptr);

    void request();
    bool isRequested() const { return requested_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void loopAboutToWait();
    void runPass();
    bool inScope(QObject* receiver) const;

    Pass pass_;
    QPointer<QWidget> scope_;
    bool scoped_;
    QTimer fallback_;
    bool requested_ = false;
    bool scheduled_ = false; // a pass is posted to the loop
    bool running_ = false;   // a pass is running (it may spin a nested loop)
};

} // namespace lm
