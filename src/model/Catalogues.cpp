#include "model/Catalogues.h"

#include <algorithm>
#include <array>

namespace lm {
namespace {

struct CatalogueRow {
    int32_t value;
    std::string_view text;
};

constexpr CatalogueRow kTypeRows[] = {{kMetal, "Metal"}, {kDielectric, "Dielectric"}};

// Split/mixed plane and flooded signal have no row: the editor never offers them.
constexpr CatalogueRow kUsageRows[] = {
    {kSignal, "Signal"},          {kSolidPlane, "Solid Plane"}, {kSolidPlane, "Plane"},
    {kPlating, "Plating"},        {kSubstrate, "Substrate"},    {kSolderMask, "Solder Mask"},
    {kRigid, "Rigid"},            {kFlexible, "Flexible"},      {kAdhesive, "Adhesive"},
    {kCoverLayer, "Cover Layer"}, {kStiffener, "Stiffener"},
};

constexpr CatalogueRow kTechnologyRows[] = {{kCore, "Core"}, {kPrepreg, "Prepreg"}};

constexpr CatalogueRow kMetalRows[] = {
    {kCopper, "Copper"}, {kAluminum, "Aluminum"}, {kTin, "Tin"},           {kSilver, "Silver"},
    {kGold, "Gold"},     {kPlatinum, "Platinum"}, {kCustomMetal, "<Custom>"},
};

constexpr CatalogueRow kPourDrawStyleRows[] = {
    {kPourNone, "None"}, {kPourSolid, "Solid"}, {kPourHatched, "Hatched"}, {kPourOutline, "Outline"}};

// One row per real metal, in the order of the metal-name table.
constexpr MetalProperties kMetalPropertyRows[] = {
    {1.724e-08, 0.00393, 826757.746573345},   {2.688e-08, 0.0038, 251265.86174561363},
    {1.15e-07, 0.004, 678494.1993155112},     {1.621e-08, 0.004, 977340.5935849526},
    {2.439e-08, 0.00396, 1797299.4490724893}, {9.81e-08, 0.00392, 1996642.142887327},
};
static_assert(std::size(kMetalPropertyRows) + 1 == std::size(kMetalRows));

std::span<const CatalogueRow> rowsOf(Catalogue catalogue)
{
    switch (catalogue) {
    case Catalogue::Type: return kTypeRows;
    case Catalogue::Usage: return kUsageRows;
    case Catalogue::Technology: return kTechnologyRows;
    case Catalogue::Metal: return kMetalRows;
    case Catalogue::PourDrawStyle: return kPourDrawStyleRows;
    }
    return {};
}

constexpr LMLAYEREX makeDefaultLayer(int32_t usage, int32_t type, int32_t technology, int32_t metal,
                                     double thickness, double er)
{
    LMLAYEREX layer{};
    layer.nType = type;
    layer.nUsage = usage;
    layer.nTechnology = technology;
    layer.nMetal = metal;
    layer.dThickness = thickness;
    layer.dEr = er;
    layer.dErFrequency = 1000000.0;
    layer.dLossTangent = 0.1;
    layer.dHostParam1 = 1000000.0;
    layer.dBulkResistivity = 1.724e-08;
    layer.dTempCoef = 0.00393;
    layer.dTestWidth = 0.000254; // 10 mils
    layer.dTargetZ0 = 75.0;
    layer.dWidth = 0.000254;  // 10 mils
    layer.dGap = 0.0002032;   // 8 mils
    layer.bVisible = 1;
    return layer;
}

constexpr double kOunceCopper = 3.429e-05; // 34.29 um, 1.35 mils
constexpr double kTenMils = 0.000254;
constexpr double kHalfMil = 1.27e-05;

constexpr std::array<LMLAYEREX, kUsageCount> kDefaultLayers = {
    makeDefaultLayer(kSignal, kMetal, kNoTechnology, kCopper, kOunceCopper, 4.3),
    makeDefaultLayer(kSolidPlane, kMetal, kNoTechnology, kCopper, kOunceCopper, 4.3),
    makeDefaultLayer(kSplitPlane, kMetal, kNoTechnology, kCopper, kOunceCopper, 4.3),
    makeDefaultLayer(kFloodedSignal, kMetal, kNoTechnology, kCopper, kOunceCopper, 4.3),
    makeDefaultLayer(kPlating, kMetal, kNoTechnology, kCopper, kOunceCopper, 0.0),
    makeDefaultLayer(kSubstrate, kDielectric, kPrepreg, kNoMetal, kTenMils, 4.3),
    makeDefaultLayer(kSolderMask, kDielectric, kCore, kNoMetal, kHalfMil, 3.3),
    makeDefaultLayer(kRigid, kDielectric, kPrepreg, kNoMetal, kTenMils, 4.3),
    makeDefaultLayer(kFlexible, kDielectric, kPrepreg, kNoMetal, kTenMils, 4.3),
    makeDefaultLayer(kAdhesive, kDielectric, kCore, kNoMetal, kHalfMil, 3.3),
    makeDefaultLayer(kCoverLayer, kDielectric, kCore, kNoMetal, kHalfMil, 3.3),
    makeDefaultLayer(kStiffener, kDielectric, kCore, kNoMetal, kHalfMil, 3.3),
};

// Every column but Technology, Metal ahead of Er.
constexpr int32_t kConductorColumns[] = {
    kColVisible,   kColColor,  kColPourDrawStyle, kColLayerName, kColType,    kColUsage,
    kColThickness, kColMetal,  kColEr,            kColLossTangent, kColBulkR, kColTCoef,
    kColTestWidth, kColZ0,     kColTargetZ0,      kColWidth,     kColGap,     kColZ0Curve,
    kColLossCurve,
};
constexpr int32_t kPlatingColumns[] = {
    kColLayerName, kColType, kColUsage, kColThickness, kColMetal, kColBulkR, kColTCoef,
};
constexpr int32_t kDielectricColumns[] = {
    kColVisible, kColLayerName, kColType, kColUsage, kColTechnology, kColThickness, kColEr, kColLossTangent,
};

struct ChoiceListRows {
    Catalogue catalogue;
    std::span<const int32_t> values;
};

constexpr int32_t kTypeChoices[] = {kMetal, kDielectric};
constexpr int32_t kMetalUsageChoices[] = {kSignal, kSolidPlane, kPlating};
constexpr int32_t kRigidDielectricChoices[] = {kSubstrate, kSolderMask};
constexpr int32_t kFlexDielectricChoices[] = {kRigid, kFlexible, kSolderMask, kAdhesive, kCoverLayer, kStiffener};
constexpr int32_t kTechnologyChoices[] = {kCore, kPrepreg};
constexpr int32_t kMetalChoices[] = {kCopper, kAluminum, kTin, kSilver, kGold, kPlatinum, kCustomMetal};
constexpr int32_t kPourDrawStyleChoices[] = {kPourNone, kPourSolid, kPourHatched, kPourOutline};

ChoiceListRows rowsOf(ChoiceList list)
{
    switch (list) {
    case ChoiceList::Types: return {Catalogue::Type, kTypeChoices};
    case ChoiceList::MetalUsages: return {Catalogue::Usage, kMetalUsageChoices};
    case ChoiceList::RigidDielectricUsages: return {Catalogue::Usage, kRigidDielectricChoices};
    case ChoiceList::FlexDielectricUsages: return {Catalogue::Usage, kFlexDielectricChoices};
    case ChoiceList::Technologies: return {Catalogue::Technology, kTechnologyChoices};
    case ChoiceList::Metals: return {Catalogue::Metal, kMetalChoices};
    case ChoiceList::PourDrawStyles: return {Catalogue::PourDrawStyle, kPourDrawStyleChoices};
    }
    return {Catalogue::Type, {}};
}

bool contains(std::span<const int32_t> values, int32_t value)
{
    return std::find(values.begin(), values.end(), value) != values.end();
}

} // namespace

// Searches run from the last row to the first, so the last match wins. Reverse
// iterators rather than views::reverse: clang 14, which builds the fuzz targets,
// cannot compile that view of libstdc++ 12.
std::string_view catalogueText(Catalogue catalogue, int32_t value)
{
    const auto rows = rowsOf(catalogue);
    const auto found = std::find_if(rows.rbegin(), rows.rend(), [&](const CatalogueRow& row) { return row.value == value; });
    return found == rows.rend() ? std::string_view{} : found->text;
}

int32_t catalogueValue(Catalogue catalogue, std::string_view text)
{
    const auto rows = rowsOf(catalogue);
    const auto found = std::find_if(rows.rbegin(), rows.rend(), [&](const CatalogueRow& row) { return row.text == text; });
    return found == rows.rend() ? -1 : found->value;
}

const LMLAYEREX& defaultLayer(int32_t usage)
{
    const auto found = std::find_if(kDefaultLayers.rbegin(), kDefaultLayers.rend(),
                                    [&](const LMLAYEREX& layer) { return layer.nUsage == usage; });
    return found == kDefaultLayers.rend() ? kDefaultLayers.front() : *found;
}

std::span<const int32_t> applicableColumns(int32_t usage)
{
    if (isConductorUsage(usage))
        return kConductorColumns;
    if (usage == kPlating)
        return kPlatingColumns;
    if (isDielectricUsage(usage))
        return kDielectricColumns;
    return {};
}

bool columnApplies(int32_t usage, int32_t columnId)
{
    return contains(applicableColumns(usage), columnId);
}

const MetalProperties& metalProperties(int32_t metal)
{
    // A custom metal has no row of its own; wherever a property row is needed it weighs as copper.
    const int32_t wanted = metal == kCustomMetal ? kCopper : metal;
    for (std::size_t row = std::size(kMetalRows); row-- > 0;)
        if (kMetalRows[row].value == wanted && row < std::size(kMetalPropertyRows))
            return kMetalPropertyRows[row];
    return kMetalPropertyRows[0];
}

std::span<const MetalProperties> metalPropertyTable()
{
    return kMetalPropertyRows;
}

std::string choiceList(ChoiceList list, std::span<const int32_t> excludedValues)
{
    const ChoiceListRows rows = rowsOf(list);
    std::string joined;
    for (std::size_t i = 0; i < rows.values.size(); ++i) {
        // The first row stays so that a drop-down is never empty.
        if (i > 0 && contains(excludedValues, rows.values[i]))
            continue;
        if (i > 0)
            joined += '\n';
        joined += catalogueText(rows.catalogue, rows.values[i]);
    }
    return joined;
}

} // namespace lm
