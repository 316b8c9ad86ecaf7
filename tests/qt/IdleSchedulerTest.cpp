#include "qt/IdleScheduler.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <dlfcn.h>

namespace lm {
namespace {

void runLoopFor(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

void typeInto(QWidget& widget)
{
    QKeyEvent key(QEvent::KeyPress, Qt::Key_5, Qt::NoModifier, QStringLiteral("5"));
    QCoreApplication::sendEvent(&widget, &key);
}

TEST(IdleScheduler, RequestsMadeBeforeTheLoopWaitsMakeOnePass)
{
    int passes = 0;
    IdleScheduler idle([&] { return ++passes < 0; });
    idle.request();
    idle.request();
    runLoopFor(100);
    EXPECT_EQ(passes, 1);

    int steps = 0; // a sweep asks for the next pass until its last step
    IdleScheduler sweep([&] { return ++steps < 5; });
    runLoopFor(200);
    EXPECT_EQ(steps, 5);
}

TEST(IdleScheduler, RunsInAModalDialogAndFollowsInputToItsWindowOnly)
{
    QDialog dialog;
    auto* cell = new QLineEdit(&dialog);
    QLineEdit elsewhere;
    IdleScheduler idle([&] { dialog.accept(); return false; }, &dialog);
    QTimer::singleShot(2000, &dialog, &QDialog::reject); // fails the test rather than hanging it
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);

    runLoopFor(50); // the closing dialog's own focus changes ask for one more pass
    ASSERT_FALSE(idle.isRequested());
    typeInto(elsewhere);
    EXPECT_FALSE(idle.isRequested());
    typeInto(*cell);
    EXPECT_TRUE(idle.isRequested());
}

TEST(IdleScheduler, APassThatSpinsANestedLoopIsNotEnteredAgain)
{
    int passes = 0, depth = 0, deepest = 0;
    IdleScheduler* self = nullptr;
    IdleScheduler idle([&] {
        deepest = std::max(deepest, ++depth);
        if (++passes == 1) { // as a message box would, with input arriving meanwhile
            QTimer::singleShot(10, [&] { self->request(); });
            runLoopFor(60);
        }
        --depth;
        return false;
    });
    self = &idle;
    runLoopFor(200);
    EXPECT_EQ(deepest, 1);
    EXPECT_EQ(passes, 2); // what was asked for during the first pass came after it
}

TEST(IdleScheduler, AHostGlibLoopThatNeverAnnouncesItsWaitsStillGetsPasses)
{
    using Iteration = int (*)(void* context, int mayBlock);
    const auto iterate = reinterpret_cast<Iteration>(dlsym(RTLD_DEFAULT, "g_main_context_iteration"));
    if (!iterate || !QAbstractEventDispatcher::instance()->inherits("QEventDispatcherGlib"))
        GTEST_SKIP() << "Qt does not run on GLib here";
    int passes = 0;
    IdleScheduler idle([&] { return ++passes < 0; });
    QTimer wakeUp; // keeps the host's loop turning should the pass never come
    wakeUp.start(100);
    QElapsedTimer clock;
    clock.start();
    while (passes == 0 && clock.elapsed() < 2000)
        iterate(nullptr, 1);
    EXPECT_EQ(passes, 1);
}

} // namespace
} // namespace lm
