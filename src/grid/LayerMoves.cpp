// Moving layers: a dragged block of selected rows and the picture's drag of
// one layer, both checked against the drill pairs. One undo step each.
#include "grid/LayerGrid.h"

#include "document/Board.h"
#include "grid/InsertLayer.h"
#include "grid/LayerRules.h"
#include "grid/StoreLayersCmd.h"

namespace lm {

bool LayerGrid::moveAllowed(int32_t first, int32_t count, int32_t target) const
{
    const MBSTACKUPENTRY* board = settings().currentBoard;
    if (!board || first < 0 || count < 1 || static_cast<std::size_t>(first + count) > board->layers.size())
        return false;
    if (board->drillSpans.size() == board->layers.size())
        return drillMoveAllowed(board->drillSpans, static_cast<std::size_t>(first), static_cast<std::size_t>(count),
                                target);
    // A short span list stands for empty sets.
    std::vector<DrillSpanSet> spans = board->drillSpans;
    spans.resize(board->layers.size());
    return drillMoveAllowed(spans, static_cast<std::size_t>(first), static_cast<std::size_t>(count), target);
}

bool LayerGrid::canDragSelection() const
{
    if (!cells_.anySelected() || !cells_.selectionContiguous())
        return false;
    const std::vector<int32_t> rows = cells_.selectedRows();
    return moveAllowed(rows.front() - 1, static_cast<int32_t>(rows.size()), -1);
}

bool LayerGrid::dropAllowed(int32_t beforeRow) const
{
    if (!canDragSelection())
        return false;
    const std::vector<int32_t> rows = cells_.selectedRows();
    const int32_t first = rows.front();
    const auto count = static_cast<int32_t>(rows.size());
    if (beforeRow < 1 || beforeRow > layerCount() + 1 || (beforeRow >= first && beforeRow <= first + count))
        return false;
    return moveAllowed(first - 1, count, beforeRow - 1);
}

bool LayerGrid::dropSelection(int32_t beforeRow)
{
    if (!dropAllowed(beforeRow))
        return false;
    const std::vector<int32_t> rows = cells_.selectedRows();
    return moveRowsBefore(rows.front(), static_cast<int32_t>(rows.size()), beforeRow);
}

bool LayerGrid::moveLayer(int32_t from, int32_t to)
{
    const int32_t count = layerCount();
    if (from < 0 || from >= count || to < 0 || to >= count || from == to)
        return false;
    const int32_t target = to > from ? to + 1 : to;
    if (!moveAllowed(from, 1, -1) || !moveAllowed(from, 1, target))
        return false;
    return moveRowsBefore(from + 1, 1, target + 1);
}

bool LayerGrid::moveRowsBefore(int32_t first, int32_t count, int32_t beforeRow)
{
    CellBatch batch(cells_);
    storeAllRows();
    return recordStructuralEdit(history_, settings(), flags_, [&] {
        moveLayers(*settings().currentBoard, static_cast<std::size_t>(first) - 1, static_cast<std::size_t>(count),
                   static_cast<std::size_t>(beforeRow) - 1);
        cells_.moveRows(first, count, beforeRow);
        renumberRows();
        layerKindPass(false);
        return true;
    });
}

} // namespace lm
