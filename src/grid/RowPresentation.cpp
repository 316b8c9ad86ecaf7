#include "grid/RowPresentation.h"

#include "document/KeepInSync.h"
#include "grid/LayerColumnRules.h"
#include "model/Catalogues.h"
#include "model/ImpedanceText.h"
#include "model/LayerRecord.h"
#include "model/Units.h"

namespace lm {

CellStyle rowCellStyle(const LMLAYEREX& layer, int32_t columnId, const LMEDITSETTINGS& settings,
                       std::span<const CellStyle> styles)
{
    auto namedStyle = [styles](GridStyle style) -> const CellStyle& { return styles[static_cast<std::size_t>(style)]; };
    const bool keptInSync = keepInSyncInForce(settings.caps, settings.keepInSync);
    if (!columnApplies(layer.nUsage, columnId))
        return namedStyle(GridStyle::NotApplicable);
    const bool metal = layer.nType == kMetal;
    switch (columnId) {
    case kColVisible: return namedStyle(metal ? GridStyle::VisibleCheck : GridStyle::NotApplicable);
    case kColType: {
        const CellStyle& list = namedStyle(GridStyle::TypeList);
        return keptInSync || layer.bPermanent != 0 ? lockedVariant(list) : list;
    }
    case kColUsage: {
        if (!metal && layer.nType != kDielectric)
            return namedStyle(GridStyle::NotApplicable);
        const CellStyle& list = namedStyle(metal ? GridStyle::MetalUsageList : GridStyle::DielectricUsageList);
        return keptInSync ? lockedVariant(list) : list;
    }
    case kColTechnology:
        return namedStyle(hasTechnology(layer.nUsage) ? GridStyle::TechnologyList : GridStyle::NotApplicable);
    case kColLossTangent:
    case kColLossCurve:
        return namedStyle(lossColumnsOn(settings.caps) ? baseStyleOf(columnId) : GridStyle::NotApplicable);
    case kColWidth:
    case kColGap:
    case kColZ0Curve:
        switch (planningRole(columnId, settings)) {
        case PlanningRole::Entered: return namedStyle(GridStyle::Number);
        case PlanningRole::Computed: return namedStyle(GridStyle::Result);
        case PlanningRole::Button: return namedStyle(GridStyle::ViewButton);
        case PlanningRole::NotApplicable: break;
        }
        return namedStyle(GridStyle::NotApplicable);
    default: return namedStyle(baseStyleOf(columnId));
    }
}

std::string widestCalculatorText(int32_t columnId)
{
    const bool answered = columnId == kColZ0 || columnId == kColWidth || columnId == kColGap;
    return answered ? *calculatorPlaceholder(0.0, true) : std::string();
}

std::string rowValueText(const LMLAYEREX& layer, int32_t columnId, const RowUnits& units)
{
    auto number = [&units](double value) { return formatCellValue(value, units.decimalPoint); };
    auto length = [&](double metres) { return number(lengthShown(metres, units.unit)); };
    switch (columnId) {
    case kColVisible: return layer.bVisible != 0 ? "1" : "0";
    case kColPourDrawStyle: return std::string(catalogueText(Catalogue::PourDrawStyle, layer.nPourDrawStyle));
    case kColLayerName: return std::string(layerName(layer));
    case kColType: return std::string(catalogueText(Catalogue::Type, layer.nType));
    case kColUsage: return usageText(layer.nUsage);
    case kColThickness: return number(thicknessShown(layer, units.unit, units.thicknessMode));
    case kColEr: return number(layer.dEr);
    case kColTechnology: return std::string(catalogueText(Catalogue::Technology, layer.nTechnology));
    case kColMetal: return std::string(catalogueText(Catalogue::Metal, layer.nMetal));
    case kColBulkR: return number(layer.dBulkResistivity);
    case kColTCoef: return number(layer.dTempCoef);
    case kColLossTangent: return number(layer.dLossTangent);
    case kColTestWidth: return length(layer.dTestWidth);
    case kColTargetZ0: return number(layer.dTargetZ0);
    case kColWidth: return length(layer.dWidth);
    case kColGap: return length(layer.dGap);
    case kColZ0Curve:
    case kColLossCurve: return std::string(kViewButtonText);
    default: return {};
    }
}

double shownValue(const LMLAYEREX& layer, int32_t columnId, const LMUNIT& unit, int32_t thicknessMode)
{
    switch (columnId) {
    case kColThickness: return thicknessShown(layer, unit, thicknessMode);
    case kColTestWidth: return lengthShown(layer.dTestWidth, unit);
    case kColWidth: return lengthShown(layer.dWidth, unit);
    case kColGap: return lengthShown(layer.dGap, unit);
    case kColEr: return layer.dEr;
    case kColLossTangent: return layer.dLossTangent;
    case kColBulkR: return layer.dBulkResistivity;
    case kColTCoef: return layer.dTempCoef;
    case kColTargetZ0: return layer.dTargetZ0;
    default: return 0.0;
    }
}

} // namespace lm
