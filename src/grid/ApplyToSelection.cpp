// Apply to Selection: the current cell's text goes into the same column of
// every other selected row that could take it as typed. One undo step.
#include "grid/LayerGrid.h"

#include "document/Board.h"
#include "grid/GridCommandRules.h"
#include "grid/StoreLayersCmd.h"
#include "model/Catalogues.h"

namespace lm {

void LayerGrid::applyToSelection()
{
    if (!applyToSelectionEnabled(commandStateOf(*this)))
        return;
    const CellPos current = cells_.current();
    const std::string text = cells_.text(current.row, current.col);
    CellBatch batch(cells_);
    storeAllRows();
    const LMLAYEREX& source = settings().currentBoard->layers[static_cast<std::size_t>(current.row) - 1];
    const int32_t usage = source.nUsage;
    const int32_t metal = source.nMetal;
    const std::vector<int32_t> rows = cells_.selectedRows();
    recordStructuralEdit(history_, settings(), flags_, [&] {
        bool changed = false;
        for (auto it = rows.rbegin(); it != rows.rend(); ++it)
            if (*it != current.row && isLayerRow(*it))
                changed = applyToRow(*it, current.col, text, usage, metal) || changed;
        return changed;
    });
}

bool LayerGrid::applyToRow(int32_t row, int32_t col, const std::string& text, int32_t usage, int32_t metal)
{
    const CellStyle& style = cells_.style(row, col);
    // The cell takes the text only as the user could enter it: enabled, writable, and one of a list's choices.
    if (cells_.text(row, col) == text || !style.enabled || style.readOnly)
        return false;
    if (style.control == CellControl::DropDown && !isChoice(style, text))
        return false;
    cells_.setText(row, col, text);
    switch (columnIdAt(col)) {
    case kColType:
        // The row becomes a layer of the current row's usage.
        settings().currentBoard->layers[static_cast<std::size_t>(row) - 1] = defaultLayer(usage);
        writeRow(row);
        break;
    case kColMetal: writeMetalDependentCells(row, metal); break;
    default: break;
    }
    return true;
}

} // namespace lm
