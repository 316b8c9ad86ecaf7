#include "BoardFile.h"

#include "files/FileIO.h"

#include <algorithm>
#include <cctype>
#include <ostream>

namespace lmhost {
namespace {

// KiCad boards carry every track and footprint; their stackup is a small part.
constexpr std::size_t kMaxKicadBytes = 128u * 1024u * 1024u;

[[noreturn]] void failIn(const std::filesystem::path& file, const std::string& problem)
{
    throw StackupFileError(file.string() + ": " + problem);
}

StackupDocument readKicadBoard(const std::filesystem::path& file, std::ostream& notes)
{
    auto board = std::make_shared<kicad::Board>();
    try {
        *board = kicad::readBoard(lm::files::readRegularFile(file, kMaxKicadBytes));
    } catch (const std::runtime_error& error) { // unreadable, or a BoardError
        failIn(file, error.what());
    }
    if (!board->note.empty()) notes << file.string() << ": " << board->note << '\n';
    BoardStackup stackup{1, file.filename().string(), board->layers, {}};
    return {file, {std::move(stackup)}, std::move(board)};
}

void writeKicadBoard(const std::filesystem::path& target, const StackupDocument& read,
                     std::span<const BoardStackup> edited)
{
    if (!read.kicad) failIn(target, "a stackup file cannot become a KiCad board; save it as .json");
    if (edited.size() != 1) failIn(target, "a KiCad board holds one stackup");
    std::string text;
    try {
        text = kicad::rewriteBoard(*read.kicad, edited.front().layers);
    } catch (const kicad::BoardError& error) {
        failIn(target, std::string("not written: ") + error.what());
    }
    if (target == read.file && text == read.kicad->source) return; // nothing KiCad keeps changed
    try {
        lm::files::replaceFile(target, text);
    } catch (const std::runtime_error& error) {
        failIn(target, error.what());
    }
}

} // namespace

bool isKicadBoardFile(const std::filesystem::path& file)
{
    std::string extension = file.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".kicad_pcb";
}

StackupDocument readBoardFile(const std::filesystem::path& file, std::ostream& notes)
{
    if (isKicadBoardFile(file)) return readKicadBoard(file, notes);
    return {file, readStackupFile(file), nullptr};
}

void writeBoardFile(const std::filesystem::path& target, const StackupDocument& read,
                    std::span<const BoardStackup> edited)
{
    if (isKicadBoardFile(target)) writeKicadBoard(target, read, edited);
    else writeStackupFile(target, edited);
}

} // namespace lmhost
