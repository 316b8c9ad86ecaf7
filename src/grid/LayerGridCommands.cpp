// The layer grid's command routing with the enable states, the selection
// commands, and undo and redo. The layer commands have files of their own:
// LayerInsert.cpp, LayerDelete.cpp, ApplyToSelection.cpp, LayerMoves.cpp.
#include "grid/LayerGrid.h"

#include "document/Board.h"
#include "document/EditSettings.h"
#include "grid/GridCommandRules.h"
#include "model/Catalogues.h"
#include "res/CommandIds.h"

namespace lm {

using namespace res;

// ---------------------------------------------------------------- routing

GridCommandState commandStateOf(const LayerGrid& grid)
{
    const CellPos current = grid.cells().current();
    GridCommandState state;
    state.caps = grid.settings().caps;
    state.layers = currentLayers(grid.settings());
    state.currentRow = current.valid() && grid.isLayerRow(current.row) ? current.row : 0;
    state.currentInDataColumn = current.col >= 1;
    state.rowsSelected = grid.cells().anySelected();
    state.editorOpen = grid.editorOpen();
    return state;
}

bool LayerGrid::hasCommandHandler(uint32_t id) const
{
    if (insertCommandOf(id))
        return true;
    switch (id) {
    case ID_EDIT_DELETE:
    case ID_EDIT_CUT:
    case ID_EDIT_COPY:
    case ID_EDIT_PASTE:
    case ID_APPLY_TO_SELECTION:
    case ID_KEEP_SELECTION:
    case ID_SELECT_ALL:
    case ID_SELECT_METAL:
    case ID_SELECT_DIELECTRIC:
    case ID_CLEAR_SELECTION:
    case ID_EDIT_UNDO:
    case ID_EDIT_REDO:
    case IDC_APPLY_AS_TEST_WIDTH:
        return true;
    default:
        return false;
    }
}

bool LayerGrid::onCommand(uint32_t id)
{
    if (const auto insert = insertCommandOf(id)) {
        if (insert->usage == InsertCommand::kMostSuitable)
            insertMostSuitable(insert->above);
        else
            insertLayer(insert->usage, insert->above);
        return true;
    }
    switch (id) {
    case ID_EDIT_DELETE:
        if (editorOpen_) {
            // In an open edit box Delete works on its text.
            if (editorTextDeleter_)
                editorTextDeleter_(false);
            return true;
        }
        deleteSelectedRows();
        return true;
    case ID_EDIT_CUT: clipboard_.cut(); return true;
    case ID_EDIT_COPY: clipboard_.copy(); return true;
    case ID_EDIT_PASTE: clipboard_.paste(); return true;
    case ID_APPLY_TO_SELECTION: applyToSelection(); return true;
    case IDC_APPLY_AS_TEST_WIDTH: applyAsTestWidth(); return true;
    case ID_KEEP_SELECTION: settings().keepSelection = !settings().keepSelection; return true;
    case ID_SELECT_ALL: selectAll(); return true;
    case ID_SELECT_METAL: selectByType(kMetal); return true;
    case ID_SELECT_DIELECTRIC: selectByType(kDielectric); return true;
    case ID_CLEAR_SELECTION: clearSelection(); return true;
    case ID_EDIT_UNDO: undo(); return true;
    case ID_EDIT_REDO: redo(); return true;
    default: return false;
    }
}

bool LayerGrid::updateCommand(CommandUi& ui)
{
    const uint32_t id = ui.id();
    if (!hasCommandHandler(id))
        return false;
    const GridCommandState state = commandStateOf(*this);
    if (const auto insert = insertCommandOf(id)) {
        ui.enable(insertEnabled(*insert, state));
        return true;
    }
    switch (id) {
    case ID_EDIT_DELETE: ui.enable(deleteEnabled(state)); break;
    case ID_EDIT_CUT: ui.enable(clipboard_.cutEnabled()); break;
    case ID_EDIT_COPY: ui.enable(clipboard_.copyEnabled()); break;
    case ID_EDIT_PASTE: ui.enable(clipboard_.pasteEnabled()); break;
    case ID_APPLY_TO_SELECTION: ui.enable(applyToSelectionEnabled(state)); break;
    case ID_KEEP_SELECTION:
        ui.enable();
        ui.setCheck(settings().keepSelection);
        break;
    case ID_EDIT_UNDO: ui.enable(history_.canUndo()); break;
    case ID_EDIT_REDO: ui.enable(history_.canRedo()); break;
    default: ui.enable(); break; // the selection commands; the property bar enables Apply as Test Width
    }
    return true;
}

// ---------------------------------------------------------------- selection

void LayerGrid::selectAll()
{
    CellBatch batch(cells_);
    for (int32_t row = 1; row <= layerCount(); ++row)
        cells_.selectRow(row);
}

void LayerGrid::clearSelection() { cells_.clearSelection(); }

void LayerGrid::selectByType(int32_t type)
{
    CellBatch batch(cells_);
    cells_.clearSelection();
    const std::span<const LMLAYEREX> layers = currentLayers(settings());
    for (auto row = static_cast<int32_t>(layers.size()); row >= 1; --row)
        if (layers[static_cast<std::size_t>(row) - 1].nType == type)
            cells_.selectRow(row);
}

// ---------------------------------------------------------------- undo

bool LayerGrid::undo()
{
    // An edit in progress is given up: its cell is about to show other layers.
    if (editing_.valid())
        cancelEdit(editing_);
    storeAllRows();
    return undoOnGrid(history_, *this, flags_);
}

bool LayerGrid::redo()
{
    if (editing_.valid())
        cancelEdit(editing_);
    storeAllRows();
    return redoOnGrid(history_, *this, flags_);
}

} // namespace lm
