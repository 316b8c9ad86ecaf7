#pragma once
// A KiCad board file (.kicad_pcb, KiCad 6 and later) as the example host edits
// it: its stackup as layer records, and what the write-back needs to change
// only the stackup and the board thickness. docs/kicad.md describes the mapping.
#include <laminar/laminar.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace lmhost::kicad {

constexpr int kFirstSupportedVersion = 20211014; // KiCad 6.0

// A problem with the board; the message says what and, for the file's text, the line.
class BoardError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One child of a stackup layer as the file has it, e.g. (thickness 0.1 locked).
struct Property {
    std::string key;   // "thickness"; the text itself for a bare symbol
    std::string text;  // the child's text
    std::size_t valueBegin = 0, valueEnd = 0; // its first value within text; both 0 when none
};

// The properties of one sheet of a stackup layer; a dielectric lists one per
// sublayer (the file separates them by `addsublayer`).
struct Sublayer {
    std::vector<Property> properties;
};

enum class ItemKind { Aside, Mask, Copper, Dielectric };

// One (layer ...) of the stackup, or one of KiCad's default stackup.
struct StackupItem {
    ItemKind kind = ItemKind::Aside;
    std::string name;          // as KiCad names it: "F.Cu", "dielectric 1"
    std::string nameText;      // the name as written in the file
    std::string typeText;      // the (type ...) child as written
    std::string technology;    // "core", "prepreg", ...: the type of a dielectric
    std::vector<Sublayer> sublayers;
    std::string text;          // the whole item as written; empty for a default item
    std::size_t begin = 0;     // its offset in the file
    std::string separator = " "; // what goes before each child
    std::string closing;         // what goes before the closing ')'
    std::string sublayerSeparator; // what goes before `addsublayer`
};

// Where a layer record came from: an item and one of its sublayers.
struct Origin {
    std::size_t item = 0;
    std::size_t sublayer = 0;
};

struct Board {
    std::string source;        // the whole file
    int version = 0;
    std::vector<std::string> copperNames; // canonical, top to bottom
    std::vector<bool> copperIsPower;      // typed `power` in the layer table
    std::vector<std::string> layerNames;  // every name of the layer table
    std::vector<StackupItem> items;       // top to bottom
    bool hadStackup = false;
    std::size_t stackupInsertAt = 0;      // without a stackup: where (setup ends its head
    std::string setupSeparator;           // what goes before a child of (setup ...)
    std::optional<std::pair<std::size_t, std::size_t>> thicknessValue; // of (general (thickness ...))
    std::size_t generalInsertAt = 0;      // (general ...) without a thickness: after its head; 0 none
    std::vector<LMLAYEREX> layers;        // the stackup as records, top first; nId = index + 1
    std::vector<Origin> origins;          // for each record
    std::string note;                     // said on stderr when reading: a default stackup was made
};

// Throws BoardError: "line 12: ..." for a problem in the text, or the problem alone.
Board readBoard(std::string source);

// Why KiCad's board cannot take these layers, with what to change; empty when it can.
std::string refusal(const Board& board, std::span<const LMLAYEREX> layers);

// The file with its stackup and board thickness taken from the layers; the
// source itself when nothing KiCad keeps changed. Throws BoardError with the refusal.
std::string rewriteBoard(const Board& board, std::span<const LMLAYEREX> layers);

// Thickness text in millimetres from whole nanometres: 35000 gives "0.035".
std::string millimetres(int64_t nanometres);
// Metres to whole nanometres, as KiCad keeps lengths.
int64_t nanometres(double metres);

} // namespace lmhost::kicad
