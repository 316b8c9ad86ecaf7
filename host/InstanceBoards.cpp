#include "InstanceBoards.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace lmhost {

void addBoards(LMHANDLE instance, std::span<const BoardStackup> boards)
{
    static const LMLAYEREX noLayers[1]{}; // lmAddStackup refuses a null array even for 0 layers
    for (const BoardStackup& board : boards) {
        const LMLAYEREX* layers = board.layers.empty() ? noLayers : board.layers.data();
        if (!lmAddStackup(instance, board.id, board.name.c_str(), layers, static_cast<int32_t>(board.layers.size())))
            throw std::runtime_error("board " + std::to_string(board.id) + " was refused");
    }
    for (const BoardStackup& board : boards) {
        if (board.drillPairs.empty()) continue;
        std::vector<LMDRILLPAIR> pairs = board.drillPairs; // the component may reorder pairs in place
        lmAddDrillPairs(instance, board.id, pairs.data(), static_cast<int32_t>(pairs.size()));
    }
}

std::vector<BoardStackup> boardsOfInstance(LMHANDLE instance, std::span<const BoardStackup> asRead)
{
    std::vector<BoardStackup> boards;
    boards.reserve(asRead.size());
    for (const BoardStackup& read : asRead) {
        LMLAYEREX* layers = nullptr;
        int32_t count = 0;
        lmGetStackup(instance, read.id, &layers, &count);
        BoardStackup board{read.id, read.name, {}, {}};
        if (layers && count > 0) board.layers.assign(layers, layers + count);
        auto carried = [&](int32_t id) {
            return std::any_of(board.layers.begin(), board.layers.end(), [id](const LMLAYEREX& l) { return l.nId == id; });
        };
        for (const LMDRILLPAIR& pair : read.drillPairs)
            if (pair.fromLayerId != pair.toLayerId && carried(pair.fromLayerId) && carried(pair.toLayerId))
                board.drillPairs.push_back(pair);
        boards.push_back(std::move(board));
    }
    return boards;
}

void writeBoardsOfInstance(LMHANDLE instance, const std::filesystem::path& path, const StackupDocument& read)
{
    writeBoardFile(path, read, boardsOfInstance(instance, read.boards));
}

bool editorWasOpened(LMHANDLE instance)
{
    // Without a snapshot from an opening the change flags are an invalid argument.
    try {
        lmGetChanges(instance, false);
        return true;
    } catch (const LMInvalidArgument&) {
        return false;
    }
}

} // namespace lmhost
