#include "grid/LayerTextTable.h"

#include "model/Catalogues.h"
#include "model/LayerRecord.h"
#include "model/Units.h"
#include "res/Strings.h"
#include "ui/KeepInSync.h"
#include "ui/PropertyBarState.h"
#include "ui/TabDescr.h"

#include <algorithm>
#include <cstdio>

namespace lm {
namespace {

constexpr uint32_t kWhite = rgb(255, 255, 255);
constexpr uint32_t kSilver = rgb(192, 192, 192);
constexpr uint32_t kLightBlue = rgb(200, 218, 238);

constexpr std::string_view kAutoText = "<Auto>";
constexpr std::string_view kViewButtonText = "View...";

LayerCell plain(std::string text, bool alignLeft = false)
{
    return {std::move(text), CellLook::Plain, alignLeft, false, kWhite};
}

LayerCell notApplicable() { return {{}, CellLook::NotApplicable, false, false, kSilver}; }
LayerCell locked(std::string text) { return {std::move(text), CellLook::Locked, true, false, kLightBlue}; }
LayerCell result(std::string text) { return {std::move(text), CellLook::Result, false, false, kLightBlue}; }

// A drop-down or entered cell that a setting makes read-only keeps its text and alignment.
LayerCell lockedIf(bool readOnly, LayerCell cell)
{
    if (readOnly) {
        cell.look = CellLook::Locked;
        cell.background = kLightBlue;
    }
    return cell;
}

bool lossColumnsOn(uint32_t caps) { return (caps & (kCapLossValues | kCapLossTangentEditable)) != 0; }

// Under the read-only capability only appearance and planning stay editable.
bool editableWhenReadOnly(int32_t columnId, uint32_t caps)
{
    switch (columnId) {
    case kColVisible:
    case kColColor:
    case kColPourDrawStyle:
    case kColTestWidth:
    case kColTargetZ0:
    case kColWidth:
    case kColGap:
    case kColZ0Curve:
    case kColLossCurve: return true;
    case kColLossTangent: return (caps & kCapLossTangentEditable) != 0;
    default: return false;
    }
}

enum class PlanningRole { Entered, Computed, NotApplicable, Button };

// What the Width, Gap and Z0 Curve cells are for the planning mode and strategy.
PlanningRole planningRole(int32_t columnId, const LMEDITSETTINGS& settings)
{
    constexpr int32_t kSolveForSeparation = 0;
    constexpr int32_t kSolveForWidth = 1;
    const bool width = columnId == kColWidth;
    const bool gap = columnId == kColGap;
    if (!plansForDiffPair(settings))
        return width ? PlanningRole::Computed : PlanningRole::NotApplicable;
    if (settings.z0Strategy == kSolveForSeparation)
        return width ? PlanningRole::Entered : gap ? PlanningRole::Computed : PlanningRole::NotApplicable;
    if (settings.z0Strategy == kSolveForWidth)
        return width ? PlanningRole::Computed : gap ? PlanningRole::Entered : PlanningRole::NotApplicable;
    // Solving for both: the curve shows the pairs of width and separation.
    return width || gap ? PlanningRole::NotApplicable : PlanningRole::Button;
}

// The usage catalogue has no row for split/mixed planes and flooded signals,
// which only a host hands in; the string table names them.
std::string usageText(int32_t usage)
{
    if (usage == kSplitPlane)
        return std::string(res::loadString(res::IDS_USAGE_SPLIT_MIXED));
    if (usage == kFloodedSignal)
        return std::string(res::loadString(res::IDS_USAGE_FLOODED_SIGNAL));
    return std::string(catalogueText(Catalogue::Usage, usage));
}

bool hasTechnology(int32_t usage) { return usage == kSubstrate || usage == kRigid || usage == kFlexible; }
bool isCatalogueMetal(int32_t metal) { return metal >= kCopper && metal < kCustomMetal; }

class CellWriter {
public:
    CellWriter(const LMLAYEREX& layer, const LMEDITSETTINGS& settings, char decimalPoint)
        : layer_(layer), settings_(settings), decimalPoint_(decimalPoint)
    {
    }

    LayerCell cell(int32_t columnId) const
    {
        if (!columnApplies(layer_.nUsage, columnId))
            return notApplicable();
        LayerCell cell = valueCell(columnId);
        const bool readOnlyColumn = (settings_.caps & kCapReadOnly) != 0 && !editableWhenReadOnly(columnId, settings_.caps);
        return cell.look == CellLook::Plain ? lockedIf(readOnlyColumn, std::move(cell)) : cell;
    }

private:
    bool isMetal() const { return layer_.nType == kMetal; }
    std::string number(double value) const { return formatCellValue(value, decimalPoint_); }
    std::string length(double metres) const { return number(lengthShown(metres, settings_.currentUnit())); }
    bool keptInSync() const { return keepInSyncInForce(settings_.caps, settings_.keepInSync); }

    // With automatic Er the calculator sets a metal's Er and loss tangent.
    LayerCell erLike(double value) const
    {
        return isMetal() && settings_.autoEr ? locked(std::string(kAutoText)) : plain(number(value));
    }

    LayerCell metalProperty(double own, double MetalProperties::*field) const
    {
        if (isMetal() && isCatalogueMetal(layer_.nMetal))
            return result(number(metalProperties(layer_.nMetal).*field));
        return plain(number(own));
    }

    LayerCell planned(int32_t columnId, double metres) const
    {
        switch (planningRole(columnId, settings_)) {
        case PlanningRole::Entered: return plain(length(metres));
        case PlanningRole::Computed: return result(length(metres));
        default: return notApplicable();
        }
    }

    LayerCell valueCell(int32_t columnId) const
    {
        switch (columnId) {
        case kColVisible: {
            if (!isMetal())
                return notApplicable();
            const bool visible = layer_.bVisible != 0;
            return {visible ? "1" : "0", CellLook::Check, false, visible, kWhite};
        }
        case kColColor: return {{}, CellLook::Colour, false, false, layer_.crColor & 0xFFFFFFu};
        case kColPourDrawStyle: return plain(std::string(catalogueText(Catalogue::PourDrawStyle, layer_.nPourDrawStyle)));
        case kColLayerName: return plain(std::string(layerName(layer_)), true);
        case kColType:
            return lockedIf(keptInSync() || layer_.bPermanent != 0,
                            plain(std::string(catalogueText(Catalogue::Type, layer_.nType))));
        case kColUsage:
            if (layer_.nType != kMetal && layer_.nType != kDielectric)
                return notApplicable();
            return lockedIf(keptInSync(), plain(usageText(layer_.nUsage)));
        case kColThickness:
            return plain(number(thicknessShown(layer_, settings_.currentUnit(), settings_.metalThicknessAs)));
        case kColEr: return erLike(layer_.dEr);
        case kColTechnology:
            if (!hasTechnology(layer_.nUsage))
                return notApplicable();
            return plain(std::string(catalogueText(Catalogue::Technology, layer_.nTechnology)));
        case kColMetal: return plain(std::string(catalogueText(Catalogue::Metal, layer_.nMetal)));
        case kColBulkR: return metalProperty(layer_.dBulkResistivity, &MetalProperties::bulkResistivity);
        case kColTCoef: return metalProperty(layer_.dTempCoef, &MetalProperties::tempCoef);
        case kColLossTangent:
            return lossColumnsOn(settings_.caps) ? erLike(layer_.dLossTangent) : notApplicable();
        case kColTestWidth: return plain(length(layer_.dTestWidth));
        case kColZ0: return result({}); // computed by the refresh of computed values
        case kColTargetZ0: return plain(number(layer_.dTargetZ0));
        case kColWidth: return planned(columnId, layer_.dWidth);
        case kColGap: return planned(columnId, layer_.dGap);
        case kColZ0Curve:
            if (planningRole(columnId, settings_) != PlanningRole::Button)
                return notApplicable();
            return {std::string(kViewButtonText), CellLook::Button, false, false, kWhite};
        case kColLossCurve:
            if (!lossColumnsOn(settings_.caps))
                return notApplicable();
            return {std::string(kViewButtonText), CellLook::Button, false, false, kWhite};
        default: return notApplicable();
        }
    }

    const LMLAYEREX& layer_;
    const LMEDITSETTINGS& settings_;
    char decimalPoint_;
};

} // namespace

std::span<const int32_t> gridColumnIds() { return columnCatalogueOrder(); }

int32_t gridColumnOf(int32_t columnId)
{
    const std::span<const int32_t> ids = gridColumnIds();
    for (std::size_t i = ids.size(); i-- > 0;)
        if (ids[i] == columnId)
            return static_cast<int32_t>(i);
    return -1;
}

std::string columnHeaderText(int32_t columnId, const LMEDITSETTINGS& settings)
{
    // The planning target reads as the pair's impedance when planning for a pair.
    std::string text = columnId == kColTargetZ0 && plansForDiffPair(settings) ? std::string("Diff Z0")
                                                                               : std::string(columnTitle(columnId));
    const std::string unit = columnUnitText(columnId, settings.currentUnit(), settings.metalThicknessAs);
    if (!unit.empty())
        text.append("\n").append(unit);
    return text;
}

std::string rowHeaderText(std::size_t row)
{
    char buffer[32];
    std::snprintf(buffer, sizeof(buffer), "%lu", static_cast<unsigned long>(row));
    return buffer;
}

LayerCell layerCell(const LMLAYEREX& layer, int32_t columnId, const LMEDITSETTINGS& settings, char decimalPoint)
{
    return CellWriter(layer, settings, decimalPoint).cell(columnId);
}

} // namespace lm
