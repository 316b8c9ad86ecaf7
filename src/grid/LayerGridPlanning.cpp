// The layer grid's Z0 planning: the refresh of computed values through the
// host's impedance calculator (Auto Er, Z0, the solved width or gap), the
// planning mode changes of the property bar, Apply as Test Width, and the
// View... buttons. Computed values live in the cells only: they are never
// written into dWidth, dGap or the records' Z0.
#include "grid/LayerGrid.h"

#include "document/Board.h"
#include "document/Z0Calls.h"
#include "grid/GridFrameTexts.h"
#include "grid/GridStyles.h"
#include "grid/LayerColumnRules.h"
#include "model/Catalogues.h"
#include "model/ImpedanceText.h"
#include "model/LayerRecord.h"
#include "model/Units.h"
#include "platform/Platform.h"

#include <algorithm>

namespace lm {

int32_t LayerGrid::shownColumnOf(int32_t columnId) const
{
    const int32_t col = colOf(columnId);
    return col > 0 && !cells_.columnHidden(col) ? col : 0;
}

void LayerGrid::refreshComputedValues()
{
    if (!flags_.valuesChanged)
        return;
    flags_.valuesChanged = false;
    calculatorAsked_ = settings().z0Calculator;
    if (!settings().currentBoard)
        return;
    const Z0Calls calls(calculatorAsked_);
    WaitCursor wait(platform_);
    // One redraw at the end. No undo step comes of it: only commands are recorded, not cell writes.
    CellBatch batch(cells_);
    if (settings().autoEr && calls.present()) {
        std::vector<LMLAYEREX>& all = layers();
        for (std::size_t i = all.size(); i-- > 0;)
            if (all[i].nType == kMetal && all[i].nUsage != kPlating)
                calls.applyAutoEr(all[i]);
    }
    if (const int32_t col = shownColumnOf(kColZ0); col > 0)
        refreshZ0Column(col, calls);
    const int32_t planning =
        computedPlanningColumn(settings(), shownColumnOf(kColWidth) > 0, shownColumnOf(kColGap) > 0);
    if (planning >= 0)
        refreshPlanningColumn(colOf(planning), calls);
    readOnlyPass();
}

void LayerGrid::refreshZ0Column(int32_t col, const Z0Calls& calls)
{
    const std::vector<double> z0 = calls.stackupZ0(settings().currentBoardId, layers().size());
    // Without a calculator the picture has no values and says so.
    if (hooks_.z0Computed)
        hooks_.z0Computed(calls.present() ? std::span<const double>(z0) : std::span<const double>());
    for (int32_t row = std::min(layerCount(), cells_.rowCount() - 1); row >= 1; --row)
        if (columnApplies(layerOfRow(row).nUsage, kColZ0))
            cells_.setText(row, col, impedanceText(z0[static_cast<std::size_t>(row - 1)], calls.present(), decimalPoint_));
}

void LayerGrid::refreshPlanningColumn(int32_t col, const Z0Calls& calls)
{
    for (int32_t row = std::min(layerCount(), cells_.rowCount() - 1); row >= 1; --row) {
        const LMLAYEREX& layer = layerOfRow(row);
        if (!columnApplies(layer.nUsage, kColZ0))
            continue;
        double solved = 0.0;
        if (calls.present()) {
            const PlanningSolve solve = planningSolveFor(layer, settings());
            solved = calls.solveTraceGeometry(layer, solve.knownDimension, solve.differential, solve.solveForSeparation);
        }
        cells_.setText(row, col, calculatorPlaceholder(solved, calls.present()).value_or(length(solved)));
    }
}

void LayerGrid::planningChanged()
{
    CellBatch batch(cells_);
    if (const int32_t col = colOf(kColTargetZ0); col > 0)
        cells_.setText(0, col, columnHeaderText(kColTargetZ0, settings()));
    for (int32_t row = std::min(layerCount(), cells_.rowCount() - 1); row >= 1; --row) {
        const LMLAYEREX& layer = layerOfRow(row);
        if (!columnApplies(layer.nUsage, kColZ0))
            continue;
        for (const int32_t columnId : {kColWidth, kColGap, kColZ0Curve}) {
            const int32_t col = colOf(columnId);
            if (col <= 0)
                continue;
            CellStyle style = rowStyleFor(layer, columnId);
            const bool applies = !isNotApplicable(style);
            cells_.setStyle(row, col, std::move(style));
            cells_.setText(row, col, applies ? valueText(layer, columnId) : std::string());
        }
    }
    flags_.valuesChanged = true;
}

void LayerGrid::computedInputsChanged()
{
    CellBatch batch(cells_);
    for (int32_t row = std::min(layerCount(), cells_.rowCount() - 1); row >= 1; --row)
        writeRowValues(row, false);
    readOnlyPass();
    flags_.valuesChanged = true;
}

void LayerGrid::applyAsTestWidth()
{
    if (!settings().currentBoard)
        return;
    keepLayersBeforeChange();
    bool changed = false;
    {
        CellBatch batch(cells_);
        const int32_t testWidth = colOf(kColTestWidth);
        for (int32_t row = std::min(layerCount(), cells_.rowCount() - 1); row >= 1; --row) {
            LMLAYEREX& layer = layerOfRow(row);
            if (!columnApplies(layer.nUsage, kColZ0))
                continue;
            // "<Error>", "<N/A>" and an empty cell read as 0 and are skipped.
            const double metres = lengthStored(numberAt(row, kColWidth), rowsUnit_);
            if (!(metres > 0.0))
                continue;
            changed = changed || layer.dTestWidth != metres;
            layer.dTestWidth = metres;
            if (testWidth > 0)
                cells_.setText(row, testWidth, length(metres));
        }
    }
    if (changed)
        recordEditStep();
    else
        forgetEdit();
    flags_.valuesChanged = true;
}

void LayerGrid::viewButtonClicked(int32_t row, int32_t columnId)
{
    // Without a calculator the buttons do nothing.
    if (!settings().z0Calculator || !isLayerRow(row))
        return;
    const auto& open = columnId == kColZ0Curve ? hooks_.openZ0Curve : hooks_.openLossCurve;
    if ((columnId == kColZ0Curve || columnId == kColLossCurve) && open)
        open(row - 1);
}

} // namespace lm
