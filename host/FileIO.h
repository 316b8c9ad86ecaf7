#pragma once
// Whole-file reading with a size bound, and replacing a file so that readers see
// either the old or the new content, never a half-written one.
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace lmhost {

// Throws std::runtime_error with the problem (without the path) when the file
// cannot be read or holds more than maxBytes.
std::string readFileLimited(const std::filesystem::path& path, std::size_t maxBytes);

// Writes a temporary file beside the target, flushes it to disk and renames it
// over the target. On failure the temporary file is removed, the target is left
// as it was, and std::runtime_error says what failed (without the path).
void replaceFileAtomically(const std::filesystem::path& target, std::string_view content);

} // namespace lmhost
