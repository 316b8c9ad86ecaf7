// Reading the rows back into the layer records: whether a cell still stands
// for its stored value, one row read over a record, and the commits.
#include "grid/LayerGrid.h"

#include "document/Board.h"
#include "grid/LayerColumnRules.h"
#include "grid/RowPresentation.h"
#include "model/Catalogues.h"
#include "model/LayerRecord.h"
#include "model/TextTrim.h"
#include "model/Units.h"

#include <algorithm>

namespace lm {

namespace {

constexpr std::size_t kMaxGridNameLength = 63;

} // namespace

bool LayerGrid::textStandsForStored(int32_t row, int32_t col) const
{
    if (!isLayerRow(row) || col < 1 || col >= cells_.colCount())
        return false;
    const LMLAYEREX& layer = layerOfRow(row);
    const std::string& text = cells_.text(row, col);
    const int32_t columnId = columnIdAt(col);
    switch (columnId) {
    case kColLayerName: return text == layerName(layer);
    case kColType: return catalogueValue(Catalogue::Type, text) == layer.nType;
    case kColUsage: return usageValue(text) == layer.nUsage;
    case kColTechnology: return catalogueValue(Catalogue::Technology, text) == layer.nTechnology;
    case kColMetal: return catalogueValue(Catalogue::Metal, text) == layer.nMetal;
    case kColPourDrawStyle: return catalogueValue(Catalogue::PourDrawStyle, text) == layer.nPourDrawStyle;
    default: break;
    }
    if (!isNumericColumn(columnId))
        return false;
    // Any unclean text counts as a change, whatever number it reads as.
    return isCleanForm(text, decimalPoint_) &&
           readNumber(text, decimalPoint_) == shownValue(layer, columnId, rowsUnit_, rowsThicknessMode_);
}

void LayerGrid::readRowInto(int32_t row, LMLAYEREX& layer) const
{
    if (row < 1 || row >= cells_.rowCount())
        throw LMInvalidArgument("no such grid row");
    setLayerName(layer, trimBlanksAndTabs(textAt(row, kColLayerName)).substr(0, kMaxGridNameLength));
    layer.nType = catalogueValue(Catalogue::Type, textAt(row, kColType));
    layer.nUsage = usageValue(textAt(row, kColUsage));
    layer.nMetal = catalogueValue(Catalogue::Metal, textAt(row, kColMetal));
    if (columnApplies(layer.nUsage, kColPourDrawStyle))
        layer.nPourDrawStyle = catalogueValue(Catalogue::PourDrawStyle, textAt(row, kColPourDrawStyle));

    // A shown value rounded from the stored one keeps the stored precision while unchanged.
    const double thickness = numberAt(row, kColThickness);
    if (thickness != thicknessShown(layer, rowsUnit_, rowsThicknessMode_))
        layer.dThickness = thicknessStored(thickness, layer, rowsUnit_, rowsThicknessMode_);

    const bool loss = lossColumnsOn(settings().caps);
    if (layer.nType == kDielectric) {
        if (hasTechnology(layer.nUsage))
            layer.nTechnology = catalogueValue(Catalogue::Technology, textAt(row, kColTechnology));
        layer.dEr = numberAt(row, kColEr);
        if (loss)
            layer.dLossTangent = numberAt(row, kColLossTangent);
    } else if (layer.nType == kMetal) {
        layer.dBulkResistivity = numberAt(row, kColBulkR);
        layer.dTempCoef = numberAt(row, kColTCoef);
        // With Auto Er the calculator sets a metal's Er and loss tangent; a
        // Plating row has neither cell.
        if (!settings().autoEr) {
            if (columnApplies(layer.nUsage, kColEr))
                layer.dEr = numberAt(row, kColEr);
            if (loss && columnApplies(layer.nUsage, kColLossTangent))
                layer.dLossTangent = numberAt(row, kColLossTangent);
        }
        if (layer.nUsage != kPlating) {
            layer.bVisible = textAt(row, kColVisible) == "1" ? 1 : 0;
            if (const int32_t col = colOf(kColColor); col > 0)
                layer.crColor = cells_.style(row, col).background;
        }
    }

    if (columnApplies(layer.nUsage, kColZ0)) {
        auto readLength = [&](int32_t columnId, double& field) {
            const double shown = numberAt(row, columnId);
            if (shown != lengthShown(field, rowsUnit_))
                field = lengthStored(shown, rowsUnit_);
        };
        readLength(kColTestWidth, layer.dTestWidth);
        layer.dTargetZ0 = numberAt(row, kColTargetZ0);
        // Computed widths and gaps live in the cells only.
        const int32_t entered = enteredPlanningColumn(settings());
        if (entered == kColWidth)
            readLength(kColWidth, layer.dWidth);
        else if (entered == kColGap)
            readLength(kColGap, layer.dGap);
    }
}

void LayerGrid::storeAllRows()
{
    if (!settings().currentBoard)
        return;
    std::vector<LMLAYEREX>& all = layers();
    for (auto row = std::min(static_cast<int32_t>(all.size()), cells_.rowCount() - 1); row >= 1; --row)
        readRowInto(row, all[static_cast<std::size_t>(row - 1)]);
}

void LayerGrid::commitIfModified()
{
    if (!flags_.rowsModified)
        return;
    flags_.rowsModified = false;
    storeAllRows();
    if (hooks_.updatePicture)
        hooks_.updatePicture();
}

void LayerGrid::flush()
{
    refreshComputedValues();
    storeAllRows();
}

} // namespace lm
