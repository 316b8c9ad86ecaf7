// The layer grid's commands on whole layers: insert, delete, apply to
// selection, the selection commands, row moves, undo and redo, their enable
// states, and the right-button menu.
#include "grid/LayerGrid.h"

#include "api/Board.h"
#include "api/EditSettings.h"
#include "grid/GridCommandRules.h"
#include "grid/InsertLayer.h"
#include "grid/LayerRules.h"
#include "grid/StoreLayersCmd.h"
#include "model/Catalogues.h"
#include "platform/Platform.h"
#include "res/CommandIds.h"
#include "ui/MenuModel.h"

#include <cstdio>

namespace lm {

using namespace res;

namespace {

constexpr const char* kPermanentLayerMessage = "Layer #%d is permanent and can't be deleted.";

int32_t usageAt(std::span<const LMLAYEREX> layers, int32_t index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= layers.size())
        return -1;
    return layers[static_cast<std::size_t>(index)].nUsage;
}

} // namespace

GridCommandState LayerGrid::commandState() const
{
    const CellPos current = cells_.current();
    GridCommandState state;
    state.caps = settings().caps;
    state.layers = currentLayers(settings());
    state.currentRow = current.valid() && isLayerRow(current.row) ? current.row : 0;
    state.currentInDataColumn = current.col >= 1;
    state.rowsSelected = cells_.anySelected();
    state.editorOpen = editorOpen_;
    return state;
}

// ---------------------------------------------------------------- routing

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
    const GridCommandState state = commandState();
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
    default: ui.enable(); break; // the selection commands
    }
    return true;
}

// ---------------------------------------------------------------- insert

bool LayerGrid::insertLayer(int32_t usage, bool above)
{
    if (!(settings().caps & kCapChangeStructure))
        return false;
    const int32_t row = insertionRow();
    return row > 0 && insertAt(usage, above, row, {});
}

bool LayerGrid::insertMostSuitable(bool above)
{
    if (!(settings().caps & kCapChangeStructure))
        return false;
    const int32_t row = cells_.current().row;
    if (!isLayerRow(row))
        return false;
    storeAllRows();
    const std::span<const LMLAYEREX> layers = currentLayers(settings());
    const int32_t index = row - 1;
    const int32_t current = usageAt(layers, index);
    const int32_t beyond = usageAt(layers, above ? index - 1 : index + 1);
    const bool rigidFlex = (settings().caps & kCapRigidFlex) != 0;
    const int32_t usage = above ? mostSuitableUsage(current, beyond, rigidFlex)
                                : mostSuitableUsage(beyond, current, rigidFlex);
    // A solder mask on the outside being covered stops being the outer layer: it becomes a substrate.
    std::function<void()> maskToSubstrate;
    if (current == kSolderMask && beyond == -1) {
        maskToSubstrate = [this, row] {
            settings().currentBoard->layers[static_cast<std::size_t>(row) - 1].nUsage = kSubstrate;
            writeRow(row);
        };
    }
    return insertAt(usage, above, row, maskToSubstrate);
}

int32_t LayerGrid::insertionRow() const
{
    const int32_t row = cells_.current().row;
    if (cells_.current().valid() && isLayerRow(row))
        return row;
    return layerCount() == 0 ? 1 : 0;
}

bool LayerGrid::insertAt(int32_t usage, bool above, int32_t row, const std::function<void()>& firstChange)
{
    MBSTACKUPENTRY* board = settings().currentBoard;
    if (!board)
        return false;
    CellBatch batch(cells_);
    storeAllRows();
    const bool empty = board->layers.empty();
    const bool named = insertedLayerIsNamed(usage);
    const bool besideMetal =
        named && !empty && insertedLayerIsNamed(board->layers[static_cast<std::size_t>(row) - 1].nUsage);
    if (!above && !empty)
        ++row;
    ILMDefaultLayer* host = settings().defaultLayer;
    const bool done = recordStructuralEdit(history_, settings(), flags_, [&] {
        if (firstChange)
            firstChange();
        placeRow(row, newLayerRecord(*board, usage, named, static_cast<std::size_t>(row) - 1, host));
        if (besideMetal) {
            // Two metals never touch: a dielectric goes between the new layer and the current one.
            const int32_t between = above ? row + 1 : row;
            const int32_t dielectric = (settings().caps & kCapRigidFlex) ? kRigid : kSubstrate;
            placeRow(between, newLayerRecord(*board, dielectric, false, static_cast<std::size_t>(between) - 1, host));
        }
        renumberRows();
        layerKindPass(false);
        return true;
    });
    readOnlyPass();
    return done;
}

void LayerGrid::placeRow(int32_t row, const LMLAYEREX& layer)
{
    placeLayer(*settings().currentBoard, static_cast<std::size_t>(row) - 1, layer);
    cells_.insertRows(row, 1);
    writeRow(row);
}

void LayerGrid::renumberRows()
{
    for (int32_t row = 1; row < cells_.rowCount(); ++row)
        writeRowNumber(row);
}

// ---------------------------------------------------------------- delete

bool LayerGrid::deleteSelectedRows()
{
    MBSTACKUPENTRY* board = settings().currentBoard;
    if (!board || !(settings().caps & kCapDeleteLayers) || !cells_.anySelected())
        return false;
    const std::vector<int32_t> rows = cells_.selectedRows();
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
        if (!isLayerRow(*it) || !board->layers[static_cast<std::size_t>(*it) - 1].bPermanent)
            continue;
        char text[96];
        std::snprintf(text, sizeof(text), kPermanentLayerMessage, *it);
        platform_.messageBox(text, MessageButtons::Ok, MessageIcon::Exclamation);
        return false;
    }
    CellBatch batch(cells_);
    storeAllRows();
    return recordStructuralEdit(history_, settings(), flags_, [&] {
        for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
            if (!isLayerRow(*it))
                continue;
            removeLayer(*board, static_cast<std::size_t>(*it) - 1);
            cells_.removeRows(*it, 1);
        }
        renumberRows();
        layerKindPass(false);
        return true;
    });
}

// ---------------------------------------------------------------- apply to selection

void LayerGrid::applyToSelection()
{
    if (!applyToSelectionEnabled(commandState()))
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

// ---------------------------------------------------------------- moves

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

bool LayerGrid::dropSelection(int32_t beforeRow)
{
    if (!canDragSelection())
        return false;
    const std::vector<int32_t> rows = cells_.selectedRows();
    const int32_t first = rows.front();
    const auto count = static_cast<int32_t>(rows.size());
    if (beforeRow < 1 || beforeRow > layerCount() + 1 || (beforeRow >= first && beforeRow <= first + count))
        return false;
    if (!moveAllowed(first - 1, count, beforeRow - 1))
        return false;
    return moveRowsBefore(first, count, beforeRow);
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

// ---------------------------------------------------------------- right-button menu

std::vector<res::MenuItem> LayerGrid::contextMenu(CellPos clicked, CommandStates& states)
{
    if (!clicked.valid() || clicked != cells_.current() || !isLayerRow(clicked.row))
        return {};
    std::vector<res::MenuItem> items = res::gridPopupMenu().items;
    removeUnofferedInsertItems(items);
    removeInsertItemsForBoardKind(items, settings().caps);
    updateMenuStates(items, states);
    return items;
}

void LayerGrid::updateMenuStates(const std::vector<res::MenuItem>& items, CommandStates& states)
{
    for (auto it = items.rbegin(); it != items.rend(); ++it) {
        if (it->isPopup()) {
            updateMenuStates(it->items, states);
            continue;
        }
        if (!it->isCommand())
            continue;
        CommandUi ui(it->id, states[it->id]);
        // An item the grid does not carry out (yet) is disabled, as in the menu bar.
        if (!updateCommand(ui) || !ui.enableCalled())
            ui.enable(hasCommandHandler(it->id));
    }
}

} // namespace lm
