#include "qt/IdleScheduler.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEvent>
#include <QScopedValueRollback>
#include <QWidget>

namespace lm {
namespace {

// How late a pass may come where the loop never says it is about to wait.
constexpr int kFallbackDelayMs = 50;

bool isUserInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::InputMethod:
    case QEvent::Drop:
    case QEvent::FocusIn:
    case QEvent::FocusOut:
    case QEvent::Show:
        return true;
    default:
        return false;
    }
}

} // namespace

IdleScheduler::IdleScheduler(Pass pass, QWidget* scope, QObject* parent)
    : QObject(parent), pass_(std::move(pass)), scope_(scope), scoped_(scope != nullptr)
{
    fallback_.setSingleShot(true);
    fallback_.setInterval(kFallbackDelayMs);
    connect(&fallback_, &QTimer::timeout, this, &IdleScheduler::runPass);
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance(thread()))
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &IdleScheduler::loopAboutToWait);
    if (QCoreApplication* application = QCoreApplication::instance())
        application->installEventFilter(this);
    request();
}

void IdleScheduler::request()
{
    requested_ = true;
    if (!fallback_.isActive())
        fallback_.start();
}

void IdleScheduler::loopAboutToWait()
{
    // The pass is posted rather than run here: it may open message boxes or
    // call into the host, which must not happen inside the dispatcher's wait.
    // The posted call wakes the loop again at once.
    if (!requested_ || scheduled_ || running_)
        return;
    scheduled_ = true;
    QMetaObject::invokeMethod(this, &IdleScheduler::runPass, Qt::QueuedConnection);
}

void IdleScheduler::runPass()
{
    scheduled_ = false;
    // A nested loop inside a pass (a message box) gets no pass of its own;
    // what was asked for meanwhile runs after this one.
    if (running_ || !requested_)
        return;
    requested_ = false;
    fallback_.stop();
    bool wantsMore = false;
    {
        const QScopedValueRollback<bool> running(running_, true);
        wantsMore = pass_();
    }
    if (wantsMore || requested_)
        request();
}

bool IdleScheduler::eventFilter(QObject* watched, QEvent* event)
{
    if (isUserInput(event->type()) && inScope(watched))
        request();
    return false;
}

bool IdleScheduler::inScope(QObject* receiver) const
{
    if (!scoped_)
        return true;
    const QWidget* scope = scope_.data();
    if (!scope || !receiver->isWidgetType())
        return false;
    const auto* widget = static_cast<const QWidget*>(receiver);
    return widget == scope || scope->isAncestorOf(widget);
}

} // namespace lm
