#include "HelpViewer.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

#include <filesystem>
#include <iostream>
#include <system_error>

namespace lmhost {
namespace {

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
    const std::string file = helpFile ? helpFile : "";
    if (file.empty()) {
        std::cout << "laminar: the user guide (docs/user-guide.md) was not found" << std::endl;
        return 0;
    }
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(file)))) return 1;
    std::cout << "laminar: no viewer opened the user guide; it is at " << file << std::endl;
    return 0;
}

} // namespace lmhost
