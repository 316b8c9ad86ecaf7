#pragma once
// What the commands on one stackup file share: the file read, the board asked
// for found, and a refused file reported naming it.
#include "BoardFile.h"
#include "CheckCommand.h"

#include <exception>
#include <optional>
#include <ostream>
#include <string>

namespace lmhost {

// Runs `body(document)` and gives its exit code; a file that cannot be read,
// a board id the file does not have, or a failure inside `body` is reported on
// err (naming the file) and gives kExitBadInput.
template <typename Body>
int onBoardFile(const std::string& file, std::optional<int32_t> board, std::ostream& err, Body&& body)
{
    try {
        const StackupDocument document = readBoardFile(file, err);
        bool found = !board;
        for (const BoardStackup& each : document.boards) found = found || each.id == *board;
        if (!found) {
            err << file << ": no board with id " << *board << '\n';
            return kExitBadInput;
        }
        return body(document);
    } catch (const StackupFileError& error) {
        err << error.what() << '\n';
    } catch (const std::exception& error) {
        err << file << ": " << error.what() << '\n';
    }
    return kExitBadInput;
}

} // namespace lmhost
