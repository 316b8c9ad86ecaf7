#include "LayerCodes.h"

#include <span>

namespace lmhost {
namespace {

struct CodeText {
    int32_t code;
    std::string_view text;
};

// Scanned last to first, so the later of two rows with one code gives its text.
constexpr CodeText kTypes[] = {{0, "Metal"}, {1, "Dielectric"}};
constexpr CodeText kUsages[] = {
    {0, "Signal"}, {1, "Solid Plane"}, {1, "Plane"}, {2, "Split/Mixed"}, {3, "Flooded Signal"},
    {4, "Plating"}, {5, "Substrate"}, {6, "Solder Mask"}, {7, "Rigid"}, {8, "Flexible"},
    {9, "Adhesive"}, {10, "Cover Layer"}, {11, "Stiffener"},
};
constexpr CodeText kTechnologies[] = {{0, "Core"}, {1, "Prepreg"}};
constexpr CodeText kMetals[] = {{0, "Copper"}, {1, "Aluminum"}, {2, "Tin"}, {3, "Silver"},
                                {4, "Gold"},   {5, "Platinum"}, {6, "Custom"}};
constexpr CodeText kPourDrawStyles[] = {{0, "None"}, {1, "Solid"}, {2, "Hatched"}, {3, "Outline"}};

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
