#include "LayerCodes.h"

#include <span>

namespace lmhost {
namespace {

struct CodeText {
    int32_t code;
    std::string_view text;
};

// Scanned last to first, so the later of two rows with one code gives its text.
constexpr CodeText kTypes[] = {{LM_TYPE_METAL, "Metal"}, {LM_TYPE_DIELECTRIC, "Dielectric"}};
constexpr CodeText kUsages[] = {
    {LM_USAGE_SIGNAL, "Signal"},           {LM_USAGE_SOLID_PLANE, "Solid Plane"},
    {LM_USAGE_SOLID_PLANE, "Plane"},       {LM_USAGE_SPLIT_PLANE, "Split/Mixed"},
    {LM_USAGE_FLOODED_SIGNAL, "Flooded Signal"}, {LM_USAGE_PLATING, "Plating"},
    {LM_USAGE_SUBSTRATE, "Substrate"},     {LM_USAGE_SOLDER_MASK, "Solder Mask"},
    {LM_USAGE_RIGID, "Rigid"},             {LM_USAGE_FLEXIBLE, "Flexible"},
    {LM_USAGE_ADHESIVE, "Adhesive"},       {LM_USAGE_COVER_LAYER, "Cover Layer"},
    {LM_USAGE_STIFFENER, "Stiffener"},
};
constexpr CodeText kTechnologies[] = {{LM_TECH_CORE, "Core"}, {LM_TECH_PREPREG, "Prepreg"}};
constexpr CodeText kMetals[] = {{LM_METAL_COPPER, "Copper"}, {LM_METAL_ALUMINUM, "Aluminum"},
                                {LM_METAL_TIN, "Tin"},       {LM_METAL_SILVER, "Silver"},
                                {LM_METAL_GOLD, "Gold"},     {LM_METAL_PLATINUM, "Platinum"},
                                {LM_METAL_CUSTOM, "Custom"}};
constexpr CodeText kPourDrawStyles[] = {
    {LM_POUR_NONE, "None"}, {LM_POUR_SOLID, "Solid"}, {LM_POUR_HATCHED, "Hatched"}, {LM_POUR_OUTLINE, "Outline"}};

std::span<const CodeText> rowsOf(CodedField field)
{
    switch (field) {
    case CodedField::Type: return kTypes;
    case CodedField::Usage: return kUsages;
    case CodedField::Technology: return kTechnologies;
    case CodedField::Metal: return kMetals;
    case CodedField::PourDrawStyle: return kPourDrawStyles;
    }
    return {};
}

struct UsageDefault {
    int32_t technology;
    int32_t metal;
    double thickness; // metres
    double er;
};
constexpr double kOneOunceCopper = 3.429e-05;
constexpr double kTenMils = 0.000254;
constexpr double kHalfMil = 1.27e-05;
constexpr UsageDefault kUsageDefaults[] = {
    {-1, 0, kOneOunceCopper, 4.3}, // Signal
    {-1, 0, kOneOunceCopper, 4.3}, // Solid plane
    {-1, 0, kOneOunceCopper, 4.3}, // Split/mixed plane
    {-1, 0, kOneOunceCopper, 4.3}, // Flooded signal
    {-1, 0, kOneOunceCopper, 0.0}, // Plating
    {1, -1, kTenMils, 4.3},        // Substrate
    {0, -1, kHalfMil, 3.3},        // Solder mask
    {1, -1, kTenMils, 4.3},        // Rigid
    {1, -1, kTenMils, 4.3},        // Flexible
    {0, -1, kHalfMil, 3.3},        // Adhesive
    {0, -1, kHalfMil, 3.3},        // Cover layer
    {0, -1, kHalfMil, 3.3},        // Stiffener
};

} // namespace

std::string_view textOfCode(CodedField field, int32_t code)
{
    const auto rows = rowsOf(field);
    for (auto row = rows.rbegin(); row != rows.rend(); ++row)
        if (row->code == code) return row->text;
    return {};
}

std::optional<int32_t> codeOfText(CodedField field, std::string_view text)
{
    for (const CodeText& row : rowsOf(field))
        if (row.text == text) return row.code;
    return std::nullopt;
}

std::string_view fieldNoun(CodedField field)
{
    switch (field) {
    case CodedField::Type: return "type";
    case CodedField::Usage: return "usage";
    case CodedField::Technology: return "technology";
    case CodedField::Metal: return "metal";
    case CodedField::PourDrawStyle: return "pour draw style";
    }
    return {};
}

std::string acceptedTexts(CodedField field)
{
    std::string list;
    for (const CodeText& row : rowsOf(field)) {
        if (!list.empty()) list += ", ";
        list += '"';
        list += row.text;
        list += '"';
    }
    return list;
}

std::optional<int32_t> typeOfUsage(int32_t usage)
{
    if (usage >= 0 && usage <= 4) return kMetalType;
    if (usage >= 5 && usage <= 11) return kDielectricType;
    return std::nullopt;
}

LMLAYEREX defaultLayer(int32_t usage)
{
    if (!typeOfUsage(usage)) usage = 0;
    const UsageDefault& specific = kUsageDefaults[usage];
    LMLAYEREX layer{};
    layer.nType = *typeOfUsage(usage);
    layer.nUsage = usage;
    layer.nTechnology = specific.technology;
    layer.nMetal = specific.metal;
    layer.dThickness = specific.thickness;
    layer.dEr = specific.er;
    layer.dErFrequency = 1.0e6;
    layer.dLossTangent = 0.1;
    layer.dHostParam1 = 1.0e6;
    layer.dBulkResistivity = 1.724e-08;
    layer.dTempCoef = 0.00393;
    layer.dTestWidth = kTenMils;
    layer.dTargetZ0 = 75.0;
    layer.dWidth = kTenMils;
    layer.dGap = 0.0002032; // 8 mils
    layer.bVisible = 1;
    return layer;
}

} // namespace lmhost
