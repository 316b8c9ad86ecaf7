#include "document/Boards.h"

#include "model/Catalogues.h"

namespace lm {

void appendBoard(BoardList& boards, int32_t boardId, std::string_view name, std::span<const LMLAYEREX> layers)
{
    MBSTACKUPENTRY board;
    board.boardId = boardId;
    board.name = name;
    board.layers.resize(layers.size());
    board.drillSpans.resize(layers.size());
    for (std::size_t i = layers.size(); i-- > 0;) {
        LMLAYEREX& stored = board.layers[i];
        stored = layers[i];
        stored.pDrillSpans = 0;
        identifyMetal(stored);
    }
    boards.push_back(std::move(board));
}

MBSTACKUPENTRY* findBoard(BoardList& boards, int32_t boardId)
{
    for (std::size_t i = boards.size(); i-- > 0;)
        if (boards[i].boardId == boardId)
            return &boards[i];
    return nullptr;
}

std::size_t boardShownOnOpening(const BoardList& boards, int32_t currentBoardId)
{
    for (std::size_t i = boards.size(); i-- > 0;)
        if (boards[i].boardId == currentBoardId)
            return i;
    return 0;
}

MBSTACKUPENTRY& drillPairTarget(BoardList& boards, int32_t boardId)
{
    if (boardId < 0)
        return boards.front();
    for (MBSTACKUPENTRY& board : boards)
        if (board.boardId == boardId)
            return board;
    return boards.back();
}

} // namespace lm
