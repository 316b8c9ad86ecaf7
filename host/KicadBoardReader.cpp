#include "KicadBoard.h"

#include "KicadMapping.h"
#include "LayerCodes.h"
#include "SExpression.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace lmhost::kicad {
namespace {

using sexpr::Node;

[[noreturn]] void failAt(const Node& node, const std::string& problem)
{
    throw BoardError("line " + std::to_string(node.line) + ": " + problem);
}

std::string quotedName(const std::string& name) { return "\"" + name + "\""; }

// A number as KiCad writes one: finite, and the whole token.
double numberOf(const Node& node, const std::string& what)
{
    const std::string text(node.raw);
    char* end = nullptr;
    const double value = node.isAtom() && !text.empty() ? std::strtod(text.c_str(), &end) : 0.0;
    if (!end || *end != '\0' || !std::isfinite(value)) failAt(node, what + " \"" + text + "\" is not a number");
    return value;
}

const Node& valueOf(const Node& list, const std::string& what)
{
    if (list.children.size() < 2) failAt(list, what + " has no value");
    return list.children[1];
}

// The copper layers in stackup order: F.Cu, In1.Cu, In2.Cu, ..., B.Cu.
int copperRank(const std::string& name)
{
    if (name == "F.Cu") return 0;
    if (name == "B.Cu") return 1000;
    return std::atoi(name.c_str() + 2);
}

bool isCopperName(const std::string& name)
{
    if (name == "F.Cu" || name == "B.Cu") return true;
    if (name.size() < 6 || name.compare(0, 2, "In") != 0 || name.compare(name.size() - 3, 3, ".Cu") != 0) return false;
    const std::string digits = name.substr(2, name.size() - 5);
    return std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
}

void readLayerTable(const Node& root, Board& board)
{
    const Node* table = root.find("layers");
    if (!table) failAt(root, "the board has no layer table (layers ...)");
    std::vector<std::pair<std::string, bool>> copper;
    for (std::size_t i = 1; i < table->children.size(); ++i) {
        const Node& entry = table->children[i];
        if (entry.isAtom() || entry.children.size() < 3 || !entry.children[1].isAtom())
            failAt(entry, "a layer of the layer table is not (number \"name\" type ...)");
        const std::string name = entry.children[1].value();
        board.layerNames.push_back(name);
        if (entry.children.size() > 3 && entry.children[3].isAtom()) board.layerNames.push_back(entry.children[3].value());
        if (isCopperName(name)) copper.emplace_back(name, entry.children[2].raw == "power");
    }
    if (copper.empty()) failAt(*table, "the layer table has no copper layer");
    std::stable_sort(copper.begin(), copper.end(),
                     [](const auto& a, const auto& b) { return copperRank(a.first) < copperRank(b.first); });
    for (const auto& [name, power] : copper) {
        board.copperNames.push_back(name);
        board.copperIsPower.push_back(power);
    }
}

// The blanks of the line a node starts on.
std::string indentOf(std::string_view source, std::size_t at)
{
    const std::size_t lineStart = source.rfind('\n', at == 0 ? 0 : at - 1);
    const std::size_t from = lineStart == std::string_view::npos ? 0 : lineStart + 1;
    std::size_t to = from;
    while (to < at && (source[to] == ' ' || source[to] == '\t')) ++to;
    return std::string(source.substr(from, to - from));
}

std::string between(std::string_view source, std::size_t from, std::size_t to)
{
    return std::string(source.substr(from, to - from));
}

ItemKind kindOf(const Board& board, const std::string& name)
{
    if (name == "F.Mask" || name == "B.Mask") return ItemKind::Mask;
    if (std::find(board.copperNames.begin(), board.copperNames.end(), name) != board.copperNames.end())
        return ItemKind::Copper;
    // KiCad takes every name that is not one of its layers for a dielectric.
    if (std::find(board.layerNames.begin(), board.layerNames.end(), name) != board.layerNames.end() ||
        isCopperName(name))
        return ItemKind::Aside;
    return ItemKind::Dielectric;
}

StackupItem readItem(const Board& board, const Node& node)
{
    if (node.head() != "layer" || node.children.size() < 2 || !node.children[1].isAtom())
        failAt(node, "a stackup entry is not (layer \"name\" ...)");
    const std::string_view source = board.source;
    StackupItem item;
    item.name = node.children[1].value();
    item.nameText = std::string(node.children[1].raw);
    item.kind = kindOf(board, item.name);
    item.text = std::string(node.raw);
    item.begin = node.begin;
    item.sublayers.emplace_back();
    const std::vector<Node>& children = node.children;
    if (children.size() > 2) item.separator = between(source, children[1].end(), children[2].begin);
    item.closing = between(source, children.back().end(), node.end() - 1);
    for (std::size_t i = 2; i < children.size(); ++i) {
        const Node& child = children[i];
        if (child.kind == Node::Kind::Symbol && child.raw == "addsublayer") {
            if (item.kind != ItemKind::Dielectric) failAt(child, "stackup layer " + quotedName(item.name) + " has sublayers");
            if (item.sublayerSeparator.empty()) item.sublayerSeparator = between(source, children[i - 1].end(), child.begin);
            item.sublayers.emplace_back();
            continue;
        }
        if (child.head() == "type") {
            item.typeText = std::string(child.raw);
            item.technology = valueOf(child, "the type of stackup layer " + quotedName(item.name)).value();
            continue;
        }
        Property property{child.head().empty() ? std::string(child.raw) : std::string(child.head()), std::string(child.raw)};
        if (!child.isAtom() && child.children.size() >= 2) {
            property.valueBegin = child.children[1].begin - child.begin;
            property.valueEnd = child.children[1].end() - child.begin;
        }
        item.sublayers.back().properties.push_back(std::move(property));
    }
    if (item.sublayerSeparator.empty()) {
        const bool multiLine = item.separator.find('\n') != std::string::npos;
        item.sublayerSeparator = multiLine ? item.separator : "\n" + indentOf(source, node.begin) + "  ";
    }
    // Every number the records take must read; a bad one is named here, not on writing.
    for (std::size_t i = 2; i < children.size(); ++i)
        for (const char* key : {"thickness", "epsilon_r", "loss_tangent"})
            if (children[i].head() == key) {
                const std::string what = std::string(key) + " of " + quotedName(item.name);
                if (numberOf(valueOf(children[i], what), what) < 0) failAt(children[i], what + " is negative");
            }
    return item;
}

// The order KiCad requires of a stackup: its masks outside, its copper layers in
// order, one dielectric between each two.
void checkItemOrder(const Board& board, const std::vector<const Node*>& nodes)
{
    std::size_t copper = 0;
    bool dielectricSinceCopper = false;
    for (std::size_t i = 0; i < board.items.size(); ++i) {
        const StackupItem& item = board.items[i];
        const Node& node = *nodes[i];
        switch (item.kind) {
        case ItemKind::Copper:
            if (copper >= board.copperNames.size() || item.name != board.copperNames[copper])
                failAt(node, "stackup copper layer " + quotedName(item.name) + " is out of order");
            if (copper > 0 && !dielectricSinceCopper)
                failAt(node, "stackup has no dielectric between " + board.copperNames[copper - 1] + " and " + item.name);
            ++copper;
            dielectricSinceCopper = false;
            break;
        case ItemKind::Dielectric:
            if (copper == 0 || copper == board.copperNames.size())
                failAt(node, "stackup dielectric " + quotedName(item.name) + " lies outside the copper layers");
            if (dielectricSinceCopper)
                failAt(node, "stackup has two dielectric entries between " + board.copperNames[copper - 1] +
                                 " and the next copper layer; KiCad writes one, with sublayers");
            dielectricSinceCopper = true;
            break;
        case ItemKind::Mask:
            if ((item.name == "F.Mask") != (copper == 0) ||
                (item.name == "B.Mask") != (copper == board.copperNames.size()))
                failAt(node, "stackup layer " + quotedName(item.name) + " is out of place");
            break;
        case ItemKind::Aside: break;
        }
    }
    if (copper != board.copperNames.size())
        failAt(*nodes.back(), "the stackup has " + std::to_string(copper) + " copper layers and the layer table " +
                   std::to_string(board.copperNames.size()));
}

Property numberProperty(const std::string& key, const std::string& value)
{
    const std::string head = "(" + key + " ";
    return {key, head + value + ")", head.size(), head.size() + value.size()};
}

Property textProperty(const std::string& key, const std::string& value)
{
    const std::string head = "(" + key + " ";
    return {key, head + sexpr::quoted(value) + ")", head.size(), head.size() + value.size() + 2};
}

StackupItem defaultItem(ItemKind kind, const std::string& name, const std::string& type)
{
    StackupItem item;
    item.kind = kind;
    item.name = name;
    item.nameText = sexpr::quoted(name);
    item.typeText = "(type " + sexpr::quoted(type) + ")";
    item.technology = type;
    item.sublayers.emplace_back();
    return item;
}

bool inTable(const Board& board, const char* name)
{
    return std::find(board.layerNames.begin(), board.layerNames.end(), name) != board.layerNames.end();
}

// KiCad's own default stackup for the board's copper count and enabled layers:
// the board thickness less copper and masks, shared evenly by the dielectrics,
// which alternate core and prepreg from the top.
void makeDefaultStackup(Board& board, int64_t boardThickness)
{
    const int64_t copperCount = static_cast<int64_t>(board.copperNames.size());
    const bool topMask = inTable(board, "F.Mask"), bottomMask = inTable(board, "B.Mask");
    const int64_t dielectric = copperCount < 2 ? 0
        : (boardThickness - kDefaultCopperNm * copperCount - kDefaultMaskNm * (int64_t{topMask} + bottomMask)) /
              (copperCount - 1);
    auto add = [&](StackupItem item, std::optional<int64_t> thickness, bool material = false) {
        if (thickness) item.sublayers[0].properties.push_back(numberProperty("thickness", millimetres(*thickness)));
        if (material) {
            item.sublayers[0].properties.push_back(textProperty("material", "FR4"));
            item.sublayers[0].properties.push_back(numberProperty("epsilon_r", "4.5"));
            item.sublayers[0].properties.push_back(numberProperty("loss_tangent", "0.02"));
        }
        board.items.push_back(std::move(item));
    };
    if (inTable(board, "F.SilkS")) add(defaultItem(ItemKind::Aside, "F.SilkS", "Top Silk Screen"), {});
    if (inTable(board, "F.Paste")) add(defaultItem(ItemKind::Aside, "F.Paste", "Top Solder Paste"), {});
    if (topMask) add(defaultItem(ItemKind::Mask, "F.Mask", "Top Solder Mask"), kDefaultMaskNm);
    for (int64_t i = 0; i < copperCount; ++i) {
        add(defaultItem(ItemKind::Copper, board.copperNames[i], "copper"), kDefaultCopperNm);
        if (i + 1 < copperCount)
            add(defaultItem(ItemKind::Dielectric, "dielectric " + std::to_string(i + 1), i % 2 == 0 ? "core" : "prepreg"),
                std::max<int64_t>(dielectric, 0), true);
    }
    if (bottomMask) add(defaultItem(ItemKind::Mask, "B.Mask", "Bottom Solder Mask"), kDefaultMaskNm);
    if (inTable(board, "B.Paste")) add(defaultItem(ItemKind::Aside, "B.Paste", "Bottom Solder Paste"), {});
    if (inTable(board, "B.SilkS")) add(defaultItem(ItemKind::Aside, "B.SilkS", "Bottom Silk Screen"), {});
}

template <std::size_t N>
void setName(char (&field)[N], const std::string& name)
{
    std::fill(std::begin(field), std::end(field), '\0');
    name.substr(0, N - 4).copy(field, N - 4); // the grid keeps 63 characters
}

void makeLayers(Board& board)
{
    std::size_t copper = 0;
    for (std::size_t i = 0; i < board.items.size(); ++i) {
        const StackupItem& item = board.items[i];
        if (item.kind == ItemKind::Aside) continue;
        const Defaults& defaults = defaultsOf(item.kind);
        for (std::size_t s = 0; s < item.sublayers.size(); ++s) {
            const Sublayer& sublayer = item.sublayers[s];
            int32_t usage = kSubstrate;
            if (item.kind == ItemKind::Mask) usage = kSolderMask;
            if (item.kind == ItemKind::Copper) usage = board.copperIsPower[copper++] ? kPlane : kSignal;
            LMLAYEREX layer = defaultLayer(usage);
            layer.nId = static_cast<int32_t>(board.layers.size() + 1);
            layer.bPermanent = item.kind == ItemKind::Dielectric ? 0 : 1;
            setName(layer.szName, editorName(item, s));
            if (item.kind == ItemKind::Dielectric) layer.nTechnology = technologyOf(item.technology);
            layer.dThickness = static_cast<double>(
                                   nanometresOfMillimetres(propertyNumber(sublayer, "thickness", defaults.thicknessMm))) * 1e-9;
            if (item.kind != ItemKind::Copper) {
                layer.dEr = propertyNumber(sublayer, "epsilon_r", defaults.er);
                layer.dLossTangent = propertyNumber(sublayer, "loss_tangent", defaults.lossTangent);
            }
            layer.crColor = defaults.color;
            if (usage == kPlane) layer.nPourDrawStyle = kSolidPour; // drawn as the planes they are
            board.layers.push_back(layer);
            board.origins.push_back({i, s});
        }
    }
}

} // namespace

Board readBoard(std::string source)
{
    Board board;
    board.source = std::move(source);
    Node root;
    try {
        root = sexpr::parse(board.source);
    } catch (const sexpr::SyntaxError& error) {
        throw BoardError("line " + std::to_string(error.line) + ": " + error.what());
    }
    if (root.head() != "kicad_pcb") failAt(root, "not a KiCad board: the document is not (kicad_pcb ...)");
    const Node* version = root.find("version");
    if (!version) failAt(root, "the board has no (version ...)");
    const double number = numberOf(valueOf(*version, "version"), "version");
    if (number < kFirstSupportedVersion)
        failAt(*version, "board format " + std::string(version->children[1].raw) +
                             " is older than KiCad 6; open and save the board in KiCad 6 or later first");
    board.version = static_cast<int>(number);
    readLayerTable(root, board);

    int64_t boardThickness = 1'600'000;
    if (const Node* general = root.find("general")) {
        if (const Node* thickness = general->find("thickness")) {
            const Node& value = valueOf(*thickness, "the board thickness");
            boardThickness = nanometresOfMillimetres(numberOf(value, "the board thickness"));
            board.thicknessValue = std::pair{value.begin, value.end()};
        } else {
            board.generalInsertAt = general->children.front().end();
        }
    }
    const Node* setup = root.find("setup");
    if (!setup) failAt(root, "the board has no (setup ...)");
    board.setupSeparator = setup->children.size() > 1
        ? between(board.source, setup->children[0].end(), setup->children[1].begin)
        : "\n" + indentOf(board.source, setup->begin) + "  ";
    board.stackupInsertAt = setup->children.front().end();

    if (const Node* stackup = setup->find("stackup")) {
        board.hadStackup = true;
        std::vector<const Node*> nodes;
        for (std::size_t i = 1; i < stackup->children.size(); ++i) {
            const Node& child = stackup->children[i];
            if (child.head() != "layer") continue; // finish, constraints: kept as they are
            board.items.push_back(readItem(board, child));
            nodes.push_back(&child);
        }
        if (nodes.empty()) failAt(*stackup, "the stackup has no layers");
        checkItemOrder(board, nodes);
    } else {
        makeDefaultStackup(board, boardThickness);
        board.note = "the board has no stackup; KiCad's default stackup for " +
                     std::to_string(board.copperNames.size()) + " copper layers is used";
    }
    makeLayers(board);
    return board;
}

} // namespace lmhost::kicad
