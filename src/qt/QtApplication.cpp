#include "qt/QtApplication.h"

#include "qt/DisplayProbe.h"

#include <QApplication>
#include <QThread>

#include <clocale>
#include <cstdio>
#include <string>

namespace lm {
namespace {

// QApplication keeps references to its argc and argv for its whole life.
int applicationArgc = 0;
char applicationName[] = "laminar";
char platformOption[] = "-platform";
std::string platformList;
char* applicationArgv[4] = {};

// Never destroyed: a modeless window outlives every call into the library, and
// Qt's threads and plugins cannot be torn down under a running host. The
// component is linked not to be unloaded for the same reason.
QApplication* ownApplication = nullptr;

// Qt adopts the environment's locale for the whole process while it starts;
// the host's C locale (its number parsing and printing) must stay its own.
class HostLocaleKept {
public:
    HostLocaleKept()
    {
        if (const char* current = std::setlocale(LC_ALL, nullptr))
            saved_ = current;
    }
    ~HostLocaleKept()
    {
        if (!saved_.empty())
            std::setlocale(LC_ALL, saved_.c_str());
    }
    HostLocaleKept(const HostLocaleKept&) = delete;
    HostLocaleKept& operator=(const HostLocaleKept&) = delete;

private:
    std::string saved_;
};

bool refuse(const char* line)
{
    std::fputs(line, stderr);
    return false;
}

} // namespace

bool ensureQtApplication()
{
    if (QCoreApplication* existing = QCoreApplication::instance()) {
        if (!qobject_cast<QApplication*>(existing))
            return refuse("laminar: the host's Qt application cannot show widgets\n");
        if (existing->thread() != QThread::currentThread())
            return refuse("laminar: the editor must run on the thread of the host's Qt application\n");
        return true;
    }

    applicationArgc = 0;
    applicationArgv[applicationArgc++] = applicationName;
    // An explicit QT_QPA_PLATFORM is the user's choice; otherwise only
    // platforms whose display answers are offered, so Qt cannot fail on one.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        platformList = reachablePlatforms();
        if (platformList.empty())
            return refuse("laminar: no display available; set QT_QPA_PLATFORM=offscreen to run without one\n");
        applicationArgv[applicationArgc++] = platformOption;
        applicationArgv[applicationArgc++] = platformList.data();
    }
    applicationArgv[applicationArgc] = nullptr;

    const HostLocaleKept hostLocale;
    ownApplication = new QApplication(applicationArgc, applicationArgv);
    // Closing the editor's last window must not end the host's event loops.
    ownApplication->setQuitOnLastWindowClosed(false);
    return true;
}

} // namespace lm
