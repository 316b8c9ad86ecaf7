#pragma once
// The example host's board files, told apart by their extension in this one
// place: Laminar's JSON stackup files (StackupFile.h) and KiCad boards
// (.kicad_pcb, KicadBoard.h). Every command reads and writes through here.
#include "KicadBoard.h"
#include "StackupFile.h"

#include <filesystem>
#include <iosfwd>
#include <memory>
#include <span>
#include <vector>

namespace lmhost {

// A board file and the boards read from it.
struct StackupDocument {
    std::filesystem::path file;
    std::vector<BoardStackup> boards;
    // A KiCad board: everything its write-back needs. Null for a stackup file.
    std::shared_ptr<const kicad::Board> kicad;
};

bool isKicadBoardFile(const std::filesystem::path& file);

// All or nothing: a problem throws StackupFileError naming the file (and for a
// KiCad board the line). What the reader chose for the user, such as KiCad's
// default stackup for a board without one, is said on `notes`.
StackupDocument readBoardFile(const std::filesystem::path& file, std::ostream& notes);

// The edited boards of `read` written atomically to `target`, in target's kind:
// a KiCad board is `read`'s own board with the stackup and thickness replaced.
// Throws StackupFileError naming the file and what to change; the file stays.
void writeBoardFile(const std::filesystem::path& target, const StackupDocument& read,
                    std::span<const BoardStackup> edited);

} // namespace lmhost
