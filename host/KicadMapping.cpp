#include "KicadMapping.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace lmhost::kicad {

const Defaults& defaultsOf(ItemKind kind)
{
    static const Defaults copper{0.035, 4.3, 0.1, 0x2B82D9};   // the record's default Er and loss
    static const Defaults mask{0.01, 3.3, 0.0, 0x3C8C1E};
    static const Defaults dielectric{0.1, 4.5, 0.02, 0x78B8C8};
    static const Defaults aside{0.0, 1.0, 0.0, 0xFFFFFF};
    switch (kind) {
    case ItemKind::Copper: return copper;
    case ItemKind::Mask: return mask;
    case ItemKind::Dielectric: return dielectric;
    case ItemKind::Aside: break;
    }
    return aside;
}

int32_t technologyOf(const std::string& type) { return type == "core" ? kCore : kPrepreg; }

std::string typeOfTechnology(int32_t technology) { return technology == kCore ? "core" : "prepreg"; }

std::string editorName(const StackupItem& item, std::size_t sublayer)
{
    std::string name = item.name;
    if (item.kind != ItemKind::Dielectric) return name;
    std::replace(name.begin(), name.end(), ' ', '_');
    return sublayer == 0 ? name : name + "_" + std::to_string(sublayer);
}

std::string fileNameOfDielectric(std::string editorName)
{
    std::replace(editorName.begin(), editorName.end(), '_', ' ');
    return editorName;
}

const Property* findProperty(const Sublayer& sublayer, std::string_view key)
{
    for (const Property& property : sublayer.properties)
        if (property.key == key) return &property;
    return nullptr;
}

double propertyNumber(const Sublayer& sublayer, std::string_view key, double absent)
{
    const Property* property = findProperty(sublayer, key);
    if (!property || property->valueEnd == 0) return absent;
    const std::string value = property->text.substr(property->valueBegin, property->valueEnd - property->valueBegin);
    return std::strtod(value.c_str(), nullptr);
}

int64_t nanometresOfMillimetres(double millimetres) { return std::llround(millimetres * 1e6); }

int64_t nanometres(double metres) { return std::llround(metres * 1e9); }

std::string millimetres(int64_t nanometres)
{
    const bool negative = nanometres < 0;
    const uint64_t magnitude = negative ? uint64_t(0) - uint64_t(nanometres) : uint64_t(nanometres);
    std::string fraction = std::to_string(magnitude % 1'000'000);
    fraction.insert(0, 6 - fraction.size(), '0');
    while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
    return (negative ? "-" : "") + std::to_string(magnitude / 1'000'000) + (fraction.empty() ? "" : "." + fraction);
}

} // namespace lmhost::kicad
