#include "grid/LayerColumnRules.h"

#include "model/Catalogues.h"
#include "res/Strings.h"

namespace lm {
namespace {

constexpr int32_t kSolveForSeparation = 0;
constexpr int32_t kSolveForWidth = 1;

} // namespace

bool isNumericColumn(int32_t columnId)
{
    switch (columnId) {
    case kColThickness:
    case kColEr:
    case kColBulkR:
    case kColTCoef:
    case kColLossTangent:
    case kColTestWidth:
    case kColTargetZ0:
    case kColWidth:
    case kColGap: return true;
    default: return false;
    }
}

bool lossColumnsOn(uint32_t caps) { return (caps & (kCapLossValues | kCapLossTangentEditable)) != 0; }

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

PlanningRole planningRole(int32_t columnId, const LMEDITSETTINGS& settings)
{
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

int32_t enteredPlanningColumn(const LMEDITSETTINGS& settings)
{
    if (!plansForDiffPair(settings))
        return -1;
    if (settings.z0Strategy == kSolveForSeparation)
        return kColWidth;
    if (settings.z0Strategy == kSolveForWidth)
        return kColGap;
    return -1;
}

int32_t computedPlanningColumn(const LMEDITSETTINGS& settings, bool widthShown, bool gapShown)
{
    const bool pair = plansForDiffPair(settings);
    if (widthShown && (!pair || settings.z0Strategy == kSolveForWidth))
        return kColWidth;
    if (gapShown && pair && settings.z0Strategy == kSolveForSeparation)
        return kColGap;
    return -1;
}

PlanningSolve planningSolveFor(const LMLAYEREX& layer, const LMEDITSETTINGS& settings)
{
    const bool pair = plansForDiffPair(settings);
    const bool forSeparation = pair && settings.z0Strategy == kSolveForSeparation;
    return {forSeparation ? layer.dWidth : layer.dGap, pair, forSeparation};
}

std::string usageText(int32_t usage)
{
    if (usage == kSplitPlane)
        return std::string(res::loadString(res::IDS_USAGE_SPLIT_MIXED));
    if (usage == kFloodedSignal)
        return std::string(res::loadString(res::IDS_USAGE_FLOODED_SIGNAL));
    return std::string(catalogueText(Catalogue::Usage, usage));
}

int32_t usageValue(std::string_view text)
{
    // So a host's split plane or flooded signal survives an edit of its row.
    if (text == res::loadString(res::IDS_USAGE_SPLIT_MIXED))
        return kSplitPlane;
    if (text == res::loadString(res::IDS_USAGE_FLOODED_SIGNAL))
        return kFloodedSignal;
    return catalogueValue(Catalogue::Usage, text);
}

bool hasTechnology(int32_t usage) { return usage == kSubstrate || usage == kRigid || usage == kFlexible; }

bool isCatalogueMetal(int32_t metal) { return metal >= kCopper && metal < kCustomMetal; }

} // namespace lm
