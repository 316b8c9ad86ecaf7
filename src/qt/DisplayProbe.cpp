#include "qt/DisplayProbe.h"

#include <QCoreApplication>
#include <QPluginLoader>
#include <QStringList>

#include <cstdlib>
#include <dlfcn.h>

namespace lm {
namespace {

bool environmentSet(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value;
}

// The display is asked through the client library the platform plugin itself
// connects with, so that sockets, remote displays and authorisation are
// covered alike. The library stays loaded: the plugin loads it next anyway.
template <typename Function>
Function clientFunction(void* library, const char* name)
{
    return library ? reinterpret_cast<Function>(dlsym(library, name)) : nullptr;
}

bool x11DisplayAnswers()
{
    if (!environmentSet("DISPLAY"))
        return false;
    void* xcb = dlopen("libxcb.so.1", RTLD_LAZY | RTLD_LOCAL);
    const auto connect = clientFunction<void* (*)(const char*, int*)>(xcb, "xcb_connect");
    const auto hasError = clientFunction<int (*)(void*)>(xcb, "xcb_connection_has_error");
    const auto disconnect = clientFunction<void (*)(void*)>(xcb, "xcb_disconnect");
    if (!connect || !hasError || !disconnect)
        return false;
    // A failed connection is an object too; it carries the error.
    void* connection = connect(nullptr, nullptr);
    if (!connection)
        return false;
    const bool answers = hasError(connection) == 0;
    disconnect(connection);
    return answers;
}

bool waylandDisplayAnswers()
{
    if (!environmentSet("WAYLAND_DISPLAY"))
        return false;
    // A socket handed over by the compositor can be connected only once: leave it to Qt.
    if (environmentSet("WAYLAND_SOCKET"))
        return true;
    void* wayland = dlopen("libwayland-client.so.0", RTLD_LAZY | RTLD_LOCAL);
    const auto connect = clientFunction<void* (*)(const char*)>(wayland, "wl_display_connect");
    const auto disconnect = clientFunction<void (*)(void*)>(wayland, "wl_display_disconnect");
    if (!connect || !disconnect)
        return false;
    void* display = connect(nullptr);
    if (!display)
        return false;
    disconnect(display);
    return true;
}

// Looks where Qt looks for platform plugins. Loading, not just finding, the
// file proves that the libraries it needs are installed too.
bool platformPluginLoads(const char* fileName)
{
    QStringList folders;
    const QString explicitFolder = qEnvironmentVariable("QT_QPA_PLATFORM_PLUGIN_PATH");
    if (!explicitFolder.isEmpty())
        folders << explicitFolder;
    for (const QString& path : QCoreApplication::libraryPaths())
        folders << path + QStringLiteral("/platforms");
    for (const QString& folder : folders) {
        QPluginLoader plugin(folder + u'/' + QLatin1StringView(fileName));
        if (plugin.load())
            return true;
    }
    return false;
}

} // namespace

std::string reachablePlatforms()
{
    struct Candidate {
        const char* name;
        const char* pluginFile;
        bool (*displayAnswers)();
    };
    static constexpr Candidate candidates[] = {
        {"wayland", "libqwayland-generic.so", waylandDisplayAnswers},
        {"xcb", "libqxcb.so", x11DisplayAnswers},
    };
    std::string platforms;
    for (const Candidate& candidate : candidates) {
        if (!candidate.displayAnswers() || !platformPluginLoads(candidate.pluginFile))
            continue;
        if (!platforms.empty())
            platforms += ';';
        platforms += candidate.name;
    }
    return platforms;
}

} // namespace lm
