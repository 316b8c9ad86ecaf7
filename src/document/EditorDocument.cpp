#include "document/EditorDocument.h"

namespace lm {

void EditorDocument::showBoard(std::size_t index)
{
    if (index >= boards.size())
        throw LMInvalidArgument("board index out of range");
    shownBoard_ = index;
    settings.currentBoard = &boards[index];
    settings.currentBoardId = boards[index].boardId;
}

void EditorDocument::pointAtShownBoardAgain()
{
    if (settings.currentBoard)
        showBoard(shownBoard_);
}

} // namespace lm
