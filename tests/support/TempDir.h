#pragma once
// A fresh directory under the system's temporary folder, removed with its
// contents (even when a test left it read-only). Header-only; the host's tests
// and the loading test use it too, so it needs nothing of the core.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace lm::test {

struct TempDir {
    std::filesystem::path path;

    TempDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "laminar-test-XXXXXX").string();
        if (::mkdtemp(pattern.data()))
            path = pattern;
    }
    ~TempDir()
    {
        std::error_code ignored;
        std::filesystem::permissions(path, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                     ignored);
        std::filesystem::remove_all(path, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
};

// A fresh folder as XDG_CONFIG_HOME, where the per-user preferences go,
// for as long as it lives; the variable is given back afterwards.
struct ConfigHome : TempDir {
    const char* previous = std::getenv("XDG_CONFIG_HOME");
    std::string saved = previous != nullptr ? previous : "";

    ConfigHome() { ::setenv("XDG_CONFIG_HOME", path.c_str(), 1); }
    ~ConfigHome() { previous != nullptr ? ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1) : ::unsetenv("XDG_CONFIG_HOME"); }
};

inline std::string fileText(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void writeFileText(const std::filesystem::path& file, const std::string& text)
{
    std::ofstream(file, std::ios::binary) << text;
}

} // namespace lm::test
