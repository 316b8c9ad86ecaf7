#include "HelpViewer.h"

#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QString>
#include <QTextBrowser>

#include <filesystem>
#include <iostream>
#include <system_error>

namespace lmhost {
namespace {

constexpr int kGuideWidth = 760;
constexpr int kGuideHeight = 640;

std::string locateUserGuide(const std::filesystem::path& programFolder)
{
    std::error_code error;
    if (programFolder.empty()) return {};
    // An installed program: the guide sits in the package's documentation folder.
    const std::filesystem::path installed = programFolder / LAMINAR_INSTALLED_GUIDE;
    if (std::filesystem::is_regular_file(installed, error))
        return std::filesystem::weakly_canonical(installed, error).string();
    // A build tree: build/bin/laminar sits two folders below the repository root.
    const std::filesystem::path guide = std::filesystem::path("docs") / "user-guide.md";
    std::filesystem::path folder = programFolder;
    for (int up = 0; up < 3 && !folder.empty(); ++up, folder = folder.parent_path()) {
        if (std::filesystem::is_regular_file(folder / guide, error))
            return std::filesystem::weakly_canonical(folder / guide, error).string();
        if (folder == folder.parent_path()) break;
    }
    return {};
}

} // namespace

std::string locateUserGuide()
{
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return locateUserGuide(error ? std::filesystem::path() : program.parent_path());
}

int32_t LMCALLBACK openHelpFile(uint32_t, const char* helpFile, uint32_t, uint32_t)
{
    const QString file = QString::fromUtf8(helpFile ? helpFile : "");
    QFile guide(file);
    if (file.isEmpty() || !guide.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::cout << "laminar: the user guide (docs/user-guide.md) was not found" << std::endl;
        return 0;
    }
    // A window of its own rather than the desktop's viewer, which may be missing
    // or may not render Markdown; one window, raised when asked again.
    static QPointer<QTextBrowser> viewer;
    if (!viewer) {
        viewer = new QTextBrowser;
        viewer->setObjectName(QStringLiteral("userGuide"));
        viewer->setAttribute(Qt::WA_DeleteOnClose);
        viewer->setWindowTitle(QStringLiteral("Laminar User Guide"));
        viewer->setOpenExternalLinks(true);
        viewer->resize(kGuideWidth, kGuideHeight);
    }
    viewer->setSearchPaths({QFileInfo(file).absolutePath()});
    viewer->setMarkdown(QString::fromUtf8(guide.readAll()));
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
    return 1;
}

} // namespace lmhost
