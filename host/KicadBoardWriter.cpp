#include "KicadBoard.h"

#include "KicadMapping.h"
#include "LayerCodes.h"
#include "SExpression.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace lmhost::kicad {
namespace {

std::string nameOf(const LMLAYEREX& layer) { return std::string(layer.szName, strnlen(layer.szName, sizeof layer.szName)); }
std::string quotedName(const LMLAYEREX& layer) { return "\"" + nameOf(layer) + "\""; }

bool isMetal(const LMLAYEREX& layer) { return layer.nType == kMetalType; }

// The layers split as KiCad's stackup has them: masks, copper layers, and the
// dielectrics between each two copper layers.
struct Parts {
    std::vector<const LMLAYEREX*> topMasks, bottomMasks, copper;
    std::vector<std::vector<const LMLAYEREX*>> gaps; // gaps[k]: between copper k and k + 1
    std::vector<const LMLAYEREX*> outsideSubstrates, insideMasks;
};

Parts partsOf(std::span<const LMLAYEREX> layers)
{
    Parts parts;
    const auto lastMetal = std::find_if(layers.rbegin(), layers.rend(), isMetal);
    const std::size_t belowCopper = static_cast<std::size_t>(layers.rend() - lastMetal);
    for (std::size_t i = 0; i < layers.size(); ++i) {
        const LMLAYEREX& layer = layers[i];
        if (isMetal(layer)) {
            parts.copper.push_back(&layer);
            if (i + 1 < belowCopper) parts.gaps.emplace_back();
        } else if (parts.copper.empty() || i >= belowCopper) {
            const bool top = parts.copper.empty();
            if (layer.nUsage == kSolderMask) (top ? parts.topMasks : parts.bottomMasks).push_back(&layer);
            else parts.outsideSubstrates.push_back(&layer);
        } else if (layer.nUsage == kSolderMask) {
            parts.insideMasks.push_back(&layer);
        } else {
            parts.gaps.back().push_back(&layer);
        }
    }
    return parts;
}

bool hasItem(const Board& board, const char* name)
{
    return std::any_of(board.items.begin(), board.items.end(), [name](const StackupItem& i) { return i.name == name; });
}

std::string maskRefusal(const Board& board, const std::vector<const LMLAYEREX*>& masks, const char* maskName,
                        const std::string& side, const std::string& outerCopper)
{
    const std::size_t wanted = hasItem(board, maskName) ? 1 : 0;
    if (masks.size() == wanted) return {};
    if (wanted == 0)
        return "The KiCad board has no " + side + " solder mask (" + maskName + " is not one of its layers): delete " +
               quotedName(*masks.front()) + ".";
    return "The KiCad board has one " + side + " solder mask: keep exactly one Solder Mask layer " +
           (side == "top" ? "above " : "below ") + outerCopper + ".";
}

} // namespace

std::string refusal(const Board& board, std::span<const LMLAYEREX> layers)
{
    for (const LMLAYEREX& layer : layers) {
        if (isMetal(layer) && layer.nUsage != kSignal && layer.nUsage != kPlane)
            return "KiCad has no " + std::string(textOfCode(CodedField::Usage, layer.nUsage)) + " layers: make " +
                   quotedName(layer) + " Signal or Plane, or delete it.";
        if (!isMetal(layer) && layer.nUsage != kSubstrate && layer.nUsage != kSolderMask)
            return "KiCad's stackup has no " + std::string(textOfCode(CodedField::Usage, layer.nUsage)) +
                   " layers: make " + quotedName(layer) + " Substrate.";
    }
    const Parts parts = partsOf(layers);
    const std::size_t copperCount = board.copperNames.size();
    if (parts.copper.size() != copperCount)
        return std::string(parts.copper.size() > copperCount ? "Delete" : "Insert") + " copper layers until there are " +
               std::to_string(copperCount) + ": the KiCad board has " + std::to_string(copperCount) +
               " (KiCad's Board Setup changes the count).";
    for (std::size_t k = 0; k < copperCount; ++k) {
        const LMLAYEREX& copper = *parts.copper[k];
        if (nameOf(copper) != board.copperNames[k])
            return "Name " + quotedName(copper) + " " + board.copperNames[k] + " again: KiCad keeps its copper names.";
        const bool power = board.copperIsPower[k];
        if ((copper.nUsage == kPlane) != power)
            return "Make " + board.copperNames[k] + " " + (power ? "Plane" : "Signal") + ": KiCad's layer table has it as a " +
                   (power ? "power" : "signal") + " layer.";
    }
    if (!parts.insideMasks.empty())
        return "KiCad has no solder mask inside the board: move " + quotedName(*parts.insideMasks.front()) +
               " outside the outer copper layers, or delete it.";
    if (!parts.outsideSubstrates.empty())
        return "KiCad has only solder masks outside the outer copper layers: move " +
               quotedName(*parts.outsideSubstrates.front()) + " between two copper layers.";
    if (std::string top = maskRefusal(board, parts.topMasks, "F.Mask", "top", board.copperNames.front()); !top.empty())
        return top;
    if (std::string bottom = maskRefusal(board, parts.bottomMasks, "B.Mask", "bottom", board.copperNames.back());
        !bottom.empty())
        return bottom;
    for (std::size_t k = 0; k + 1 < copperCount; ++k) {
        const std::vector<const LMLAYEREX*>& gap = parts.gaps[k];
        const std::string between = board.copperNames[k] + " and " + board.copperNames[k + 1];
        if (gap.empty()) return "Insert a Substrate layer between " + between + ": KiCad needs a dielectric there.";
        for (const LMLAYEREX* layer : gap)
            if (layer->nTechnology != gap.front()->nTechnology)
                return "The layers between " + between + " form one KiCad dielectric, which has one type: give " +
                       quotedName(*layer) + " the technology of " + quotedName(*gap.front()) + ".";
        const std::string fileName = fileNameOfDielectric(nameOf(*gap.front()));
        if (std::find(board.layerNames.begin(), board.layerNames.end(), fileName) != board.layerNames.end())
            return "KiCad would take a dielectric named " + quotedName(*gap.front()) + " for its layer " + fileName +
                   ": rename it.";
    }
    return {};
}

} // namespace lmhost::kicad

namespace lmhost::kicad {
namespace {

std::string numberText(double value)
{
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

// KiCad writes a sheet's values in this order; other children follow them.
int kicadOrder(std::string_view key)
{
    constexpr std::string_view order[] = {"color", "thickness", "material", "epsilon_r", "loss_tangent"};
    return static_cast<int>(std::find(std::begin(order), std::end(order), key) - std::begin(order));
}

void setProperty(Sublayer& sheet, const std::string& key, const std::string& value)
{
    for (Property& property : sheet.properties)
        if (property.key == key && property.valueEnd != 0) {
            property.text.replace(property.valueBegin, property.valueEnd - property.valueBegin, value);
            property.valueEnd = property.valueBegin + value.size();
            return;
        }
    const std::string head = "(" + key + " ";
    const auto at = std::find_if(sheet.properties.begin(), sheet.properties.end(),
                                 [&](const Property& p) { return kicadOrder(p.key) > kicadOrder(key); });
    sheet.properties.insert(at, Property{key, head + value + ")", head.size(), head.size() + value.size()});
}

// Each value is written only when it differs from what the file says (or,
// where the file says nothing, from KiCad's default): true when one was.
bool updateThickness(Sublayer& sheet, double metres, const Defaults& defaults)
{
    const int64_t wanted = nanometres(metres);
    if (wanted == nanometresOfMillimetres(propertyNumber(sheet, "thickness", defaults.thicknessMm))) return false;
    setProperty(sheet, "thickness", millimetres(wanted));
    return true;
}

bool updateNumber(Sublayer& sheet, const std::string& key, double value, double absent)
{
    if (propertyNumber(sheet, key, absent) == value) return false;
    setProperty(sheet, key, numberText(value));
    if (!findProperty(sheet, "material")) setProperty(sheet, "material", sexpr::quoted(kCustomMaterial));
    return true;
}

bool updateSheet(Sublayer& sheet, const LMLAYEREX& layer, const Defaults& defaults)
{
    const bool thickness = updateThickness(sheet, layer.dThickness, defaults);
    const bool er = updateNumber(sheet, "epsilon_r", layer.dEr, defaults.er);
    const bool loss = updateNumber(sheet, "loss_tangent", layer.dLossTangent, defaults.lossTangent);
    return thickness || er || loss;
}

Sublayer newDielectricSheet()
{
    const Defaults& defaults = defaultsOf(ItemKind::Dielectric);
    Sublayer sheet;
    setProperty(sheet, "thickness", millimetres(nanometresOfMillimetres(defaults.thicknessMm)));
    setProperty(sheet, "material", sexpr::quoted(kNewDielectricMaterial));
    setProperty(sheet, "epsilon_r", numberText(defaults.er));
    setProperty(sheet, "loss_tangent", numberText(defaults.lossTangent));
    return sheet;
}

// The sheet a layer was read from when that was a dielectric's.
const Sublayer* dielectricOrigin(const Board& board, int32_t id, Origin* origin)
{
    if (id < 1 || static_cast<std::size_t>(id) > board.origins.size()) return nullptr;
    *origin = board.origins[static_cast<std::size_t>(id) - 1];
    const StackupItem& item = board.items[origin->item];
    return item.kind == ItemKind::Dielectric ? &item.sublayers[origin->sublayer] : nullptr;
}

bool updateDielectric(const Board& board, std::size_t index, StackupItem& item, const std::vector<const LMLAYEREX*>& gap)
{
    bool changed = gap.size() != item.sublayers.size();
    const LMLAYEREX& first = *gap.front();
    if (nameOf(first) != editorName(item, 0)) {
        item.nameText = sexpr::quoted(fileNameOfDielectric(nameOf(first)));
        changed = true;
    }
    if (technologyOf(item.technology) != first.nTechnology) {
        item.typeText = "(type " + sexpr::quoted(typeOfTechnology(first.nTechnology)) + ")";
        changed = true;
    }
    std::vector<Sublayer> sheets;
    for (std::size_t j = 0; j < gap.size(); ++j) {
        Origin origin;
        const Sublayer* read = dielectricOrigin(board, gap[j]->nId, &origin);
        Sublayer sheet = read ? *read : newDielectricSheet();
        if (!read || origin.item != index || origin.sublayer != j) changed = true;
        changed = updateSheet(sheet, *gap[j], defaultsOf(ItemKind::Dielectric)) || changed;
        sheets.push_back(std::move(sheet));
    }
    item.sublayers = std::move(sheets);
    return changed;
}

std::string formatItem(const StackupItem& item)
{
    std::string text = "(layer " + item.nameText;
    if (!item.typeText.empty()) text += item.separator + item.typeText;
    for (std::size_t k = 0; k < item.sublayers.size(); ++k) {
        if (k > 0) text += item.sublayerSeparator + "addsublayer";
        for (const Property& property : item.sublayers[k].properties) text += item.separator + property.text;
    }
    return text + item.closing + ")";
}

// A whole stackup for a board that had none, laid out as KiCad lays out the
// file's version: one line per layer up to KiCad 7, one line per value after.
std::string stackupText(const Board& board, std::vector<StackupItem> items)
{
    constexpr int kFirstOneValuePerLine = 20240108; // KiCad 8.0
    const std::string unit = board.setupSeparator.find('\t') != std::string::npos ? "\t" : "  ";
    const std::string itemIndent = board.setupSeparator + unit;
    const bool valuePerLine = board.version >= kFirstOneValuePerLine;
    std::string text = "(stackup";
    for (StackupItem& item : items) {
        item.separator = valuePerLine ? itemIndent + unit : " ";
        item.closing = valuePerLine ? itemIndent : "";
        item.sublayerSeparator = itemIndent + unit;
        text += itemIndent + formatItem(item);
    }
    return text + itemIndent + "(copper_finish \"None\")" + itemIndent + "(dielectric_constraints no)" +
           board.setupSeparator + ")";
}

struct Edit {
    std::size_t begin, end;
    std::string text;
};

std::string applied(const std::string& source, std::vector<Edit> edits)
{
    std::sort(edits.begin(), edits.end(), [](const Edit& a, const Edit& b) { return a.begin < b.begin; });
    std::string text;
    std::size_t at = 0;
    for (const Edit& edit : edits) {
        text.append(source, at, edit.begin - at);
        text += edit.text;
        at = edit.end;
    }
    return text.append(source, at);
}

} // namespace

std::string rewriteBoard(const Board& board, std::span<const LMLAYEREX> layers)
{
    if (const std::string why = refusal(board, layers); !why.empty()) throw BoardError(why);
    const Parts parts = partsOf(layers);
    std::vector<StackupItem> items = board.items;
    std::vector<bool> changed(items.size(), false);
    std::size_t copper = 0, gap = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        StackupItem& item = items[i];
        Sublayer& sheet = item.sublayers.front();
        switch (item.kind) {
        case ItemKind::Aside: break;
        case ItemKind::Mask:
            changed[i] = updateSheet(sheet, *(item.name == "F.Mask" ? parts.topMasks : parts.bottomMasks).front(),
                                     defaultsOf(ItemKind::Mask));
            break;
        case ItemKind::Copper:
            changed[i] = updateThickness(sheet, parts.copper[copper++]->dThickness, defaultsOf(ItemKind::Copper));
            break;
        case ItemKind::Dielectric: changed[i] = updateDielectric(board, i, item, parts.gaps[gap++]); break;
        }
    }
    if (std::none_of(changed.begin(), changed.end(), [](bool c) { return c; })) return board.source;

    std::vector<Edit> edits;
    if (board.hadStackup) {
        for (std::size_t i = 0; i < items.size(); ++i)
            if (changed[i]) edits.push_back({items[i].begin, items[i].begin + items[i].text.size(), formatItem(items[i])});
    } else {
        edits.push_back({board.stackupInsertAt, board.stackupInsertAt, board.setupSeparator + stackupText(board, items)});
    }
    int64_t total = 0;
    for (const LMLAYEREX& layer : layers) total += nanometres(layer.dThickness);
    if (board.thicknessValue) {
        const auto [begin, end] = *board.thicknessValue;
        const double current = std::strtod(board.source.substr(begin, end - begin).c_str(), nullptr);
        if (nanometresOfMillimetres(current) != total) edits.push_back({begin, end, millimetres(total)});
    } else if (board.generalInsertAt != 0) {
        edits.push_back({board.generalInsertAt, board.generalInsertAt, " (thickness " + millimetres(total) + ")"});
    }
    return applied(board.source, std::move(edits));
}

} // namespace lmhost::kicad
