#include "grid/LayerGrid.h"

#include "document/Board.h"
#include "grid/GridStyles.h"
#include "grid/LayerColumnRules.h"
#include "grid/RowPresentation.h"
#include "grid/GridFrameTexts.h"
#include "grid/TabChangeCmd.h"
#include "model/Catalogues.h"
#include "model/LayerRecord.h"
#include "model/Units.h"
#include "document/KeepInSync.h"
#include "document/TabDescr.h"

#include <algorithm>

namespace lm {

LayerGrid::LayerGrid(LMEDITSETTINGS& settings, Platform& platform) : settings_(settings), platform_(platform)
{
    // Shaped at once with standard metrics, so the grid is whole before the view measures its font.
    setup(averageCharWidth_, charHeight_);
}

LayerGrid::~LayerGrid() = default;

int32_t LayerGrid::layerCount() const
{
    const MBSTACKUPENTRY* board = settings().currentBoard;
    return board ? static_cast<int32_t>(board->layers.size()) : 0;
}

// ------------------------------------------------------------------ set-up

void LayerGrid::setup(int32_t averageCharWidth, int32_t charHeight)
{
    averageCharWidth_ = averageCharWidth;
    charHeight_ = charHeight;
    takeUnitsFromSettings();
    CellBatch batch(cells_);
    const std::span<const int32_t> ids = gridColumnIds();
    cells_.setColCount(static_cast<int32_t>(ids.size()) + 1);
    for (std::size_t i = ids.size(); i-- > 0;) {
        const auto col = static_cast<int32_t>(i) + 1;
        cells_.setColumnId(col, ids[i]);
        // Initial widths are the default widths, in quarters of the average character width.
        cells_.setColumnWidth(col, defaultColumnWidth(ids[i]) * averageCharWidth_ / 4);
    }
    cells_.setColumnWidth(0, 3 * averageCharWidth_);
    cells_.setRowHeight(0, 2 * charHeight_);
    writeHeaders();
    buildStyles();
}

void LayerGrid::buildStyles() { styles_ = buildGridStyles((settings().caps & kCapRigidFlex) != 0); }

const CellStyle& LayerGrid::namedStyle(GridStyle style) const { return styles_.at(static_cast<std::size_t>(style)); }

void LayerGrid::setStyleOf(int32_t row, int32_t col, GridStyle style) { cells_.setStyle(row, col, namedStyle(style)); }

void LayerGrid::writeHeaders()
{
    CellBatch batch(cells_);
    for (int32_t col = cells_.colCount() - 1; col >= 1; --col)
        cells_.setText(0, col, columnHeaderText(columnIdAt(col), settings()));
}

// ------------------------------------------------------------------ small helpers

bool LayerGrid::keptInSync() const { return keepInSyncInForce(settings().caps, settings().keepInSync); }

bool LayerGrid::isLayerRow(int32_t row) const
{
    return row >= 1 && row < cells_.rowCount() && row <= layerCount();
}

std::vector<LMLAYEREX>& LayerGrid::layers()
{
    MBSTACKUPENTRY* board = settings().currentBoard;
    if (!board)
        throw LMInvalidArgument("the grid shows no board");
    return board->layers;
}

const std::vector<LMLAYEREX>& LayerGrid::layers() const
{
    const MBSTACKUPENTRY* board = settings().currentBoard;
    if (!board)
        throw LMInvalidArgument("the grid shows no board");
    return board->layers;
}

LMLAYEREX& LayerGrid::layerOfRow(int32_t row)
{
    if (row < 1 || row > layerCount())
        throw LMInvalidArgument("no layer stands in this row");
    return layers()[static_cast<std::size_t>(row - 1)];
}

const LMLAYEREX& LayerGrid::layerOfRow(int32_t row) const
{
    if (row < 1 || row > layerCount())
        throw LMInvalidArgument("no layer stands in this row");
    return layers()[static_cast<std::size_t>(row - 1)];
}

void LayerGrid::takeUnitsFromSettings()
{
    rowsUnit_ = settings().currentUnit();
    rowsThicknessMode_ = settings().metalThicknessAs;
    decimalPoint_ = userDecimalPoint();
}

std::string LayerGrid::number(double value) const { return formatCellValue(value, decimalPoint_); }

std::string LayerGrid::length(double metres) const { return number(lengthShown(metres, rowsUnit_)); }

int32_t LayerGrid::firstVisibleDataColumn() const
{
    for (int32_t position = 1; position < cells_.colCount(); ++position)
        if (!cells_.columnHidden(cells_.visualColumn(position)))
            return cells_.visualColumn(position);
    return cells_.colCount() > 1 ? 1 : 0;
}

// ------------------------------------------------------------------ rows

void LayerGrid::reload()
{
    forgetEdit();
    takeUnitsFromSettings();
    history_.followBoard(settings().currentBoardId);
    CellBatch batch(cells_);
    cells_.clearSelection();
    writeAllRows();
    if (const int32_t z0 = colOf(kColZ0); z0 > 0)
        for (int32_t row = layerCount(); row >= 1; --row)
            cells_.setText(row, z0, {}); // no computed value survives a reload
    // The new rows need their computed values.
    flags_.valuesChanged = true;
}

void LayerGrid::unitsChanged()
{
    // Rows not yet stored are read in the unit they were typed in.
    if (flags_.rowsModified)
        storeAllRows();
    takeUnitsFromSettings();
    CellBatch batch(cells_);
    // Computed widths and gaps keep their results until the refresh writes them in the new unit.
    computedInputsChanged();
    for (const int32_t columnId : {kColThickness, kColTestWidth, kColWidth, kColGap})
        if (const int32_t col = colOf(columnId); col > 0)
            cells_.setText(0, col, columnHeaderText(columnId, settings()));
    if (hooks_.updatePicture)
        hooks_.updatePicture();
}

void LayerGrid::rewriteAllRows()
{
    // Edits the records have not taken yet would be lost otherwise.
    storeAllRows();
    writeAllRows();
}

void LayerGrid::writeAllRows()
{
    CellBatch batch(cells_);
    const int32_t count = layerCount();
    cells_.setRowCount(count + 1); // the current cell is clamped with the rows
    for (int32_t row = count; row >= 1; --row) {
        writeRowNumber(row);
        writeRow(row);
    }
    layerKindPass(true);
}

void LayerGrid::writeRowNumber(int32_t row) { cells_.setText(row, 0, rowHeaderText(static_cast<std::size_t>(row))); }

void LayerGrid::writeRow(int32_t row)
{
    CellBatch batch(cells_);
    applyRowStyles(row);
    writeRowValues(row);
}

CellStyle LayerGrid::rowStyleFor(const LMLAYEREX& layer, int32_t columnId) const
{
    return rowCellStyle(layer, columnId, settings(), styles_);
}

void LayerGrid::applyRowStyles(int32_t row)
{
    const LMLAYEREX& layer = layerOfRow(row);
    CellBatch batch(cells_);
    for (int32_t col = cells_.colCount() - 1; col >= 1; --col)
        cells_.setStyle(row, col, rowStyleFor(layer, columnIdAt(col)));
}

std::string LayerGrid::valueText(const LMLAYEREX& layer, int32_t columnId) const
{
    return rowValueText(layer, columnId, {rowsUnit_, rowsThicknessMode_, decimalPoint_});
}

void LayerGrid::writeRowValues(int32_t row) { writeRowValues(row, true); }

void LayerGrid::writeRowValues(int32_t row, bool computedToo)
{
    const LMLAYEREX& layer = layerOfRow(row);
    auto computed = [this](int32_t columnId) {
        return (columnId == kColWidth || columnId == kColGap) &&
               planningRole(columnId, settings()) == PlanningRole::Computed;
    };
    CellBatch batch(cells_);
    for (int32_t col = cells_.colCount() - 1; col >= 1; --col) {
        const int32_t columnId = columnIdAt(col);
        const CellStyle& style = cells_.style(row, col);
        if (isNotApplicable(style)) {
            cells_.setText(row, col, {});
        } else if (columnId == kColColor) {
            if (style.enabled) {
                CellStyle coloured = style;
                coloured.background = layer.crColor & 0xFFFFFFu;
                cells_.setStyle(row, col, std::move(coloured));
            }
        } else if (columnId != kColZ0 && (computedToo || !computed(columnId))) {
            // Z0 shows what the refresh of computed values wrote.
            cells_.setText(row, col, valueText(layer, columnId));
        }
    }
    writeMetalDependentCells(row, layer.nType == kMetal ? layer.nMetal : kNoMetal);
}

void LayerGrid::writeMetalDependentCells(int32_t row, int32_t metal)
{
    if (metal < 0)
        return;
    CellBatch batch(cells_);
    // Only cells that apply to the layer's usage: a Plating row has no Er.
    auto applies = [this, row](int32_t col) { return col > 0 && !isNotApplicable(cells_.style(row, col)); };
    for (const auto& [columnId, field] : {std::pair{kColBulkR, &MetalProperties::bulkResistivity},
                                         std::pair{kColTCoef, &MetalProperties::tempCoef}}) {
        const int32_t col = colOf(columnId);
        if (!applies(col))
            continue;
        setStyleOf(row, col, metal == kCustomMetal ? GridStyle::Number : GridStyle::Result);
        if (isCatalogueMetal(metal))
            cells_.setText(row, col, number(metalProperties(metal).*field));
    }
    for (const int32_t columnId : {kColEr, kColLossTangent}) {
        const int32_t col = colOf(columnId);
        if (!applies(col) || (columnId == kColLossTangent && !lossColumnsOn(settings().caps)))
            continue;
        if (settings().autoEr) {
            // The impedance calculator sets a metal's Er and loss tangent.
            setStyleOf(row, col, GridStyle::LockedText);
            cells_.setText(row, col, std::string(kAutoText));
        } else {
            setStyleOf(row, col, GridStyle::Number);
        }
    }
}

void LayerGrid::readOnlyRow(int32_t row)
{
    const uint32_t caps = settings().caps;
    if ((caps & kCapReadOnly) == 0)
        return;
    for (int32_t col = cells_.colCount() - 1; col >= 1; --col)
        if (!editableWhenReadOnly(columnIdAt(col), caps))
            cells_.setStyle(row, col, lockedVariant(cells_.style(row, col)));
}

void LayerGrid::readOnlyPass()
{
    if ((settings().caps & kCapReadOnly) == 0)
        return;
    CellBatch batch(cells_);
    for (int32_t row = std::min(layerCount(), cells_.rowCount() - 1); row >= 1; --row)
        readOnlyRow(row);
}

// ------------------------------------------------------------------ tabs

bool LayerGrid::showTab(int32_t tabId, std::span<const LMGRIDCOLDESCR> columns, bool widthsKnown)
{
    {
        CellBatch batch(cells_);
        for (int32_t col = cells_.colCount() - 1; col >= 1; --col) {
            const int32_t id = columnIdAt(col);
            const bool listed = std::any_of(columns.begin(), columns.end(),
                                            [id](const LMGRIDCOLDESCR& entry) { return entry.columnId == id; });
            cells_.setColumnHidden(col, !listed);
        }
        // Ids the grid lacks take no place; a repeated id moves its column again.
        int32_t position = 1;
        for (const LMGRIDCOLDESCR& entry : columns) {
            const int32_t col = colOf(entry.columnId);
            if (col <= 0)
                continue;
            cells_.moveColumn(col, std::min(position++, cells_.colCount() - 1));
            cells_.setColumnWidth(col, entry.width * averageCharWidth_ / 4);
        }
    }
    // An undo or redo of a tab step makes its tab current through here: no new step then.
    if (!history_.applying()) {
        if (auto command = CTabChangeCmd::forSwitch(hooks_.tabs, tabShown_, tabId))
            history_.record(std::move(command), CommandType::Do); // a step of its own
    }
    tabShown_ = tabId;
    // The refresh skips hidden columns, so the computed ones this tab shows may be stale.
    flags_.valuesChanged = true;
    return !widthsKnown;
}

int32_t LayerGrid::columnPixelWidth(int32_t columnId) const
{
    const int32_t col = colOf(columnId);
    return col > 0 ? cells_.columnWidth(col) : 0;
}

// ------------------------------------------------------------------ selection

void LayerGrid::selectLayer(int32_t index)
{
    const int32_t row = index + 1;
    if (index < 0 || row >= cells_.rowCount())
        throw LMInvalidArgument("no grid row shows this layer");
    CellBatch batch(cells_);
    const CellPos current = cells_.current();
    cells_.setCurrent({row, current.col > 0 ? current.col : firstVisibleDataColumn()});
    cells_.clearSelection();
    cells_.selectRow(row);
}

void LayerGrid::cellClicked(CellPos pos)
{
    CellBatch batch(cells_);
    cells_.setCurrent(pos);
    if (!settings().keepSelection)
        cells_.clearSelection();
}

void LayerGrid::rowHeaderClicked(int32_t row, bool extend, bool toggle)
{
    if (row < 1 || row >= cells_.rowCount())
        return;
    CellBatch batch(cells_);
    const CellPos current = cells_.current();
    const int32_t col = current.col > 0 ? current.col : firstVisibleDataColumn();
    if (extend && current.valid() && current.row >= 1) {
        // The current row stays the anchor of the block.
        cells_.clearSelection();
        for (int32_t r = std::min(row, current.row); r <= std::max(row, current.row); ++r)
            cells_.selectRow(r);
        return;
    }
    if (toggle) {
        cells_.selectRow(row, !cells_.rowSelected(row));
    } else {
        cells_.clearSelection();
        cells_.selectRow(row);
    }
    cells_.setCurrent({row, col});
}

// ------------------------------------------------------------------ idle and undo screen

void LayerGrid::idleRefresh()
{
    commitIfModified();
    // A host may set, replace or take away its calculator while the window is open.
    if (settings().z0Calculator != calculatorAsked_)
        flags_.valuesChanged = true;
    refreshComputedValues();
}

bool LayerGrid::lockScreenUpdates(bool lock)
{
    const bool wasLocked = screenLocked_;
    if (lock && !wasLocked)
        cells_.beginBatch();
    else if (!lock && wasLocked)
        cells_.endBatch(); // the view hears once, here
    screenLocked_ = lock;
    return wasLocked;
}

void LayerGrid::redrawAllCells()
{
    forgetEdit();
    writeAllRows();
}

void LayerGrid::repaintNow()
{
    // Unlocking ended the batch, which already told the view what changed.
}

} // namespace lm
