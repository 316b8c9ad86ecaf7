#pragma once
// The editor window's menu bar (1001), accelerator table (1014) and tool bar
// (1002) as data. The Qt front end builds its widgets from these tables; the
// core edits copies of the menu tree (see ui/MenuModel.h).
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lm::res {

// One node of a menu tree. Exactly one of three shapes:
// - a command item: id != 0, text, no items;
// - a separator: id 0, empty text, no items;
// - a popup (submenu): id 0, its text, items non-empty.
// Texts keep the '&' mnemonic marker ("&&" is a literal ampersand) and the
// accelerator text after a tab, character for character.
struct MenuItem {
    uint32_t id = 0;
    std::string text;
    std::vector<MenuItem> items;

    bool isSeparator() const { return id == 0 && text.empty() && items.empty(); }
    bool isPopup() const { return !items.empty(); }
    bool isCommand() const { return id != 0; }
};

// Menu bar 1001: the top-level popups "&File", "&Edit", "&View", "&Help",
// in that order. The window edits its own copy.
const std::vector<MenuItem>& mainMenuTemplate();
enum MainMenuIndex : std::size_t { kFileMenu = 0, kEditMenu = 1, kViewMenu = 2, kHelpMenu = 3 };

// Menu 1005, submenu 0: the popup "Grid Popup" the layer grid opens on a
// right-button click (edit commands, both Insert submenus as in the Edit menu,
// Apply to Selection and the selection commands). Callers edit a copy.
const MenuItem& gridPopupMenu();

// Keys the accelerator table uses; anything else never matches.
enum class Key : uint8_t { C, X, V, Z, Y, O, S, Insert, Delete, Backspace, F4 };
enum KeyModifier : uint8_t { kNoModifier = 0, kCtrl = 0x1, kShift = 0x2, kAlt = 0x4 };

struct KeyChord {
    Key key;
    uint8_t modifiers; // KeyModifier bits
    bool operator==(const KeyChord&) const = default;
};

struct Accelerator {
    KeyChord chord;
    uint32_t command;
};

// Accelerator table 1014.
std::span<const Accelerator> acceleratorTable();
// The command of a chord, 0 when the table has none.
uint32_t acceleratorCommand(KeyChord chord);
// "Ctrl+C", "Shift+Del", "Alt+Backspace": the portable key-sequence text that
// Qt's QKeySequence reads.
std::string keyChordText(KeyChord chord);

// Tool bar 1002, left to right: command ids, ID_SEPARATOR (0) for separators,
// and the board-list placeholder ID_BOARD_LIST.
std::span<const uint32_t> toolBarTemplate();
// The board-list label and drop-down list are both as wide as this text in
// the tool bar's font.
inline constexpr std::string_view kBoardListSizingText = "B_XXX, B_XXX, B_XXX";

} // namespace lm::res
