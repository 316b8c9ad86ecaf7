#pragma once
// Whole-file reading with a size bound, and replacing a file so that readers see
// either the old or the new content, never a half-written one. Standard C++ and
// POSIX only: the component's preferences and the example host's stackup files
// both go through here.
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace lm::files {

// Throws std::runtime_error with the problem (without the path) when the file
// cannot be read, is not a regular file (a folder, a named pipe, a device: they
// are refused before anything is read from them, so a pipe without a writer
// cannot block) or holds more than maxBytes.
std::string readRegularFile(const std::filesystem::path& path, std::size_t maxBytes);

// The file a path names once every symbolic link on its last component is
// followed, also when the last link dangles (then the path it points to).
// Throws std::runtime_error on a loop of links.
std::filesystem::path followLinks(const std::filesystem::path& path);

// Replaces the file the path resolves to (through symbolic links) with the
// content: a temporary file beside it is written, flushed to disk and renamed
// over it, and the folder is flushed too. An existing target keeps its
// permissions; one that is read-only, or not a regular file, is refused. On
// failure the temporary file is removed, the target is left as it was, and
// std::runtime_error says what failed (without the path).
void replaceFile(const std::filesystem::path& path, std::string_view content);

} // namespace lm::files
