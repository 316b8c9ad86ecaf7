// Starts Qt the way a host without Qt meets the library, one case per run;
// exit code 0 when the case holds.
//   no-display       neither a display nor QT_QPA_PLATFORM: refused with the
//                    one line on standard error, nothing created, no abort
//   own-application  the library brings its own application and leaves the
//                    host's C locale alone
#include "qt/QtApplication.h"

#include <QApplication>
#include <QWidget>

#include <clocale>
#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

int failures = 0;

void expect(bool holds, const char* what)
{
    if (holds)
        return;
    ++failures;
    std::fprintf(stderr, "bootstrap probe: expected %s\n", what);
}

void noDisplay()
{
    FILE* capture = std::tmpfile();
    const int standardError = dup(STDERR_FILENO);
    dup2(fileno(capture), STDERR_FILENO);
    const bool started = lm::ensureQtApplication();
    dup2(standardError, STDERR_FILENO);
    char said[200] = {};
    std::rewind(capture);
    expect(std::fread(said, 1, sizeof said - 1, capture) > 0, "a line on standard error");
    expect(!started, "a refusal");
    expect(std::strcmp(said, "laminar: no display available; set QT_QPA_PLATFORM=offscreen to run without one\n") == 0,
           "the no-display line");
    expect(!QCoreApplication::instance(), "no application");
}

void ownApplication()
{
    std::setlocale(LC_ALL, "C"); // the host's own choice, whatever LC_ALL says
    expect(lm::ensureQtApplication(), "an application");
    auto* application = qobject_cast<QApplication*>(QCoreApplication::instance());
    expect(application && !application->quitOnLastWindowClosed(), "a widgets application that outlives its windows");
    expect(std::strcmp(std::setlocale(LC_ALL, nullptr), "C") == 0, "the host's C locale kept");
    expect(lm::ensureQtApplication() && QCoreApplication::instance() == application, "the same application again");
    QWidget window;
    window.show();
    QCoreApplication::processEvents();
    expect(window.isVisible(), "a window to show");
}

} // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "no-display")
        noDisplay();
    else if (mode == "own-application")
        ownApplication();
    else
        return 2;
    return failures == 0 ? 0 : 1;
}
