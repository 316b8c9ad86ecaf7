// The Qt ring's own services: message boxes, idle passes in the host's loop
// and in modal dialogs, and the display probe.
#include "qt/DisplayProbe.h"
#include "qt/IdleScheduler.h"
#include "qt/QtPlatform.h"

#include "QtInput.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <tuple>

#include <dlfcn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace lm {
namespace {

// Icon, buttons, title, text and parent of a message box.
using SeenBox = std::tuple<QMessageBox::Icon, QMessageBox::StandardButtons, QString, QString, QWidget*>;

// Waits for the message box the code under test opens, notes what it shows
// and lets `user` end it (nullptr: close it with the title bar).
void whenBoxShows(SeenBox& seen, std::function<void(QMessageBox&)> user)
{
    test::whenShown<QMessageBox>([&seen, user](QMessageBox& box) {
        seen = {box.icon(), box.standardButtons(), box.windowTitle(), box.text(), box.parentWidget()};
        user ? user(box) : void(box.close());
    });
}

TEST(QtPlatform, QuestionsAskYesOrNoOverTheEditorWindowRefusalsWarn)
{
    QWidget editor;
    editor.show();
    QtPlatform platform;
    platform.setEditorWindow(&editor);
    SeenBox seen;
    const auto ask = [&] { return platform.messageBox("Proceed?\nReally?", MessageButtons::YesNo, MessageIcon::Question); };

    whenBoxShows(seen, [](QMessageBox& box) { box.button(QMessageBox::Yes)->click(); });
    EXPECT_EQ(ask(), MessageAnswer::Yes);
    EXPECT_EQ(seen, (SeenBox{QMessageBox::Question, QMessageBox::Yes | QMessageBox::No, "Laminar", "Proceed?\nReally?",
                             &editor}));

    whenBoxShows(seen, [](QMessageBox& box) { box.button(QMessageBox::No)->click(); });
    EXPECT_EQ(ask(), MessageAnswer::No);
    whenBoxShows(seen, nullptr); // closing the box is no consent
    EXPECT_EQ(ask(), MessageAnswer::No);

    // Refusals show a warning with only OK, and closing it counts as OK.
    whenBoxShows(seen, nullptr);
    EXPECT_EQ(platform.messageBox("Refused.", MessageButtons::Ok, MessageIcon::Exclamation), MessageAnswer::Ok);
    EXPECT_EQ(seen, (SeenBox{QMessageBox::Warning, QMessageBox::Ok, "Laminar", "Refused.", &editor}));

    // A dialog the editor opened (a graph) is modal: the box comes over it, not behind it.
    QDialog graph(&editor);
    graph.setModal(true);
    graph.show();
    whenBoxShows(seen, nullptr);
    platform.messageBox("Refused.", MessageButtons::Ok, MessageIcon::Exclamation);
    EXPECT_EQ(std::get<QWidget*>(seen), &graph);
}

void runLoopFor(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

TEST(IdleScheduler, RunsInAModalDialogAndInputToItsWindowAsksForAPass)
{
    QDialog dialog;
    auto* cell = new QLineEdit(&dialog);
    IdleScheduler idle([&] { dialog.accept(); return false; }, &dialog);
    QTimer::singleShot(2000, &dialog, &QDialog::reject); // fails the test rather than hanging it
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);

    runLoopFor(50); // the closing dialog's own focus changes ask for one more pass
    ASSERT_FALSE(idle.isRequested());
    QKeyEvent key(QEvent::KeyPress, Qt::Key_5, Qt::NoModifier, QStringLiteral("5"));
    QCoreApplication::sendEvent(cell, &key);
    EXPECT_TRUE(idle.isRequested());
}

TEST(IdleScheduler, APassThatSpinsANestedLoopIsNotEnteredAgain)
{
    int passes = 0, depth = 0, deepest = 0;
    IdleScheduler* self = nullptr;
    IdleScheduler idle([&] {
        deepest = std::max(deepest, ++depth);
        if (++passes == 1) { // as a message box would, with input arriving meanwhile
            // The request's fallback timer (50 ms) fires well inside the nested loop.
            QTimer::singleShot(10, [&] { self->request(); });
            runLoopFor(150);
        }
        --depth;
        return false;
    });
    self = &idle;
    runLoopFor(400);
    EXPECT_EQ(std::tuple(deepest, passes), std::tuple(1, 2)); // what was asked during the first pass came after it
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

TEST(DisplayProbe, OnlyADisplayThatAnswersAndWhosePluginLoadsIsOffered)
{
    QTemporaryDir runtime;
    if (!dlopen("libwayland-client.so.0", RTLD_LAZY) || !runtime.isValid() || runtime.path().size() > 80)
        GTEST_SKIP() << "no Wayland client library or no short temporary folder";
    // A socket that accepts connections as a compositor's does, without speaking.
    const int compositor = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{.sun_family = AF_UNIX, .sun_path = {}};
    const QByteArray path = QFile::encodeName(runtime.filePath("wayland-laminar"));
    std::copy(path.begin(), path.end(), address.sun_path);
    ASSERT_EQ(bind(compositor, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(listen(compositor, 4), 0);
    const QStringList libraryPaths = QCoreApplication::libraryPaths();
    // A TCP display: X servers here listen on their local socket only, so none answers
    // there, whichever displays run on this machine.
    qputenv("DISPLAY", "127.0.0.1:97");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    qunsetenv("QT_QPA_PLATFORM_PLUGIN_PATH");

    qputenv("WAYLAND_DISPLAY", "wayland-nobody");
    EXPECT_EQ(reachablePlatforms(), "");
    qputenv("WAYLAND_DISPLAY", "wayland-laminar"); // answers, but Qt has no plugin for it
    QCoreApplication::setLibraryPaths({runtime.path()});
    EXPECT_EQ(reachablePlatforms(), "");
    // Any loadable plugin under the expected name satisfies the probe.
    QDir(runtime.path()).mkdir("platforms");
    QFile::copy(QLibraryInfo::path(QLibraryInfo::PluginsPath) + "/platforms/libqoffscreen.so",
                runtime.filePath("platforms/libqwayland-generic.so"));
    EXPECT_EQ(reachablePlatforms(), "wayland");

    QCoreApplication::setLibraryPaths(libraryPaths);
    qunsetenv("WAYLAND_DISPLAY");
    qunsetenv("DISPLAY");
    close(compositor);
}

} // namespace
} // namespace lm
