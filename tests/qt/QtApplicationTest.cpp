#include "qt/DisplayProbe.h"
#include "qt/QtApplication.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace lm {
namespace {

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
