#include "res/Menus.h"

#include "res/CommandIds.h"

#include <algorithm>
#include <array>

namespace lm::res {
namespace {

MenuItem item(uint32_t id, std::string text) { return {id, std::move(text), {}}; }
MenuItem separator() { return {}; }
MenuItem popup(std::string text, std::vector<MenuItem> items) { return {0, std::move(text), std::move(items)}; }

// The two Insert submenus, shared by the Edit menu and the grid's right-button menu.
MenuItem insertAboveMenu()
{
    return popup("Insert &Above", {
        item(ID_INSERT_ABOVE_MOST_SUITABLE, "&Most Suitable"),
        separator(),
        item(ID_INSERT_ABOVE_SIGNAL, "&Signal"),
        item(ID_INSERT_ABOVE_SOLID_PLANE, "Solid &Plane"),
        item(ID_INSERT_ABOVE_SPLIT_MIXED, "Split-Mi&xed"),
        item(ID_INSERT_ABOVE_FLOODED_SIGNAL, "&Flooded Signal"),
        item(ID_INSERT_ABOVE_PLATING, "Platin&g"),
        separator(),
        item(ID_INSERT_ABOVE_SUBSTRATE, "S&ubstrate"),
        item(ID_INSERT_ABOVE_RIGID, "&Rigid"),
        item(ID_INSERT_ABOVE_FLEXIBLE, "F&lexible"),
        item(ID_INSERT_ABOVE_SOLDER_MASK, "Sol&der Mask"),
        item(ID_INSERT_ABOVE_ADHESIVE, "&Adhesive"),
        item(ID_INSERT_ABOVE_COVER_LAYER, "&Cover Layer"),
        item(ID_INSERT_ABOVE_STIFFENER, "S&tiffener"),
    });
}

MenuItem insertBelowMenu()
{
    return popup("Insert &Below", {
        item(ID_INSERT_BELOW_MOST_SUITABLE, "&Most Suitable"),
        separator(),
        item(ID_INSERT_BELOW_SIGNAL, "&Signal"),
        item(ID_INSERT_BELOW_SOLID_PLANE, "Solid &Plane"),
        item(ID_INSERT_BELOW_SPLIT_MIXED, "Split-Mi&xed"),
        item(ID_INSERT_BELOW_FLOODED_SIGNAL, "&Flooded Signal"),
        item(ID_INSERT_BELOW_PLATING, "Platin&g"),
        separator(),
        item(ID_INSERT_BELOW_SUBSTRATE, "S&ubstrate"),
        item(ID_INSERT_BELOW_RIGID, "&Rigid"),
        item(ID_INSERT_BELOW_FLEXIBLE, "F&lexible"),
        item(ID_INSERT_BELOW_SOLDER_MASK, "Sol&der Mask"),
        item(ID_INSERT_BELOW_ADHESIVE, "&Adhesive"),
        item(ID_INSERT_BELOW_COVER_LAYER, "&Cover Layer"),
        item(ID_INSERT_BELOW_STIFFENER, "S&tiffener"),
    });
}

std::vector<MenuItem> buildMainMenu()
{
    MenuItem file = popup("&File", {
        item(ID_FILE_PRINT, "&Print..."),
        item(ID_FILE_PRINT_PICTURE, "Print P&icture..."),
        separator(),
        item(ID_APPLY_AND_CLOSE, "&Apply && Close\tCtrl+F4"),
        item(ID_DISCARD_AND_CLOSE, "Discard && &Close\tAlt+F4"),
        separator(),
        item(ID_FILE_LOAD, "&Load\tCtrl+O"),
        item(ID_FILE_SAVE, "&Save\tCtrl+S"),
        item(ID_FILE_SAVE_AS, "Sa&ve as"),
    });
    MenuItem edit = popup("&Edit", {
        item(ID_EDIT_UNDO, "&Undo\tCtrl+Z"),
        item(ID_EDIT_REDO, "&Redo\tCtrl+Y"),
        separator(),
        item(ID_EDIT_CUT, "C&ut\tCtrl-X"),
        item(ID_EDIT_COPY, "&Copy\tCtrl-C"),
        popup("Copy &Special", {
            item(ID_COPY_MANUFACTURING_DOC, "&Manufacturing Documentation"),
            item(ID_COPY_PICTURE, "&Picture"),
        }),
        item(ID_EDIT_PASTE, "&Paste\tCtrl-V"),
        item(ID_EDIT_DELETE, "&Delete\tDel"),
        separator(),
        insertAboveMenu(),
        insertBelowMenu(),
        separator(),
        item(ID_APPLY_TO_SELECTION, "Apply &to Selection"),
    });
    MenuItem view = popup("&View", {
        popup("&Split", {
            item(ID_SPLIT_VERTICAL, "&Vertical"),
            item(ID_SPLIT_HORIZONTAL, "&Horizontal"),
        }),
        item(ID_CUSTOMIZE, "&Customize..."),
        separator(),
        item(ID_KEEP_SELECTION, "&Keep Selection \"On\" During Edit"),
        separator(),
        item(ID_SELECT_ALL, "Select &All"),
        item(ID_SELECT_METAL, "Select &Metal"),
        item(ID_SELECT_DIELECTRIC, "Select &Dielectric"),
        item(ID_CLEAR_SELECTION, "Clea&r Selection"),
    });
    MenuItem help = popup("&Help", {
        item(ID_HELP_CONTENTS, "&Contents"),
        separator(),
        item(ID_APP_ABOUT, "About..."),
    });
    return {std::move(file), std::move(edit), std::move(view), std::move(help)};
}

// Submenu 0 of menu 1005: what a right-button click on the grid's current cell offers.
MenuItem buildGridPopup()
{
    return popup("Grid Popup", {
        item(ID_EDIT_CUT, "C&ut\tCtrl-X"),
        item(ID_EDIT_COPY, "&Copy\tCtrl-C"),
        item(ID_EDIT_PASTE, "&Paste\tCtrl-V"),
        item(ID_EDIT_DELETE, "&Delete\tDel"),
        separator(),
        insertAboveMenu(),
        insertBelowMenu(),
        separator(),
        item(ID_APPLY_TO_SELECTION, "Apply &to Selection"),
        separator(),
        item(ID_SELECT_ALL, "Select &All"),
        item(ID_SELECT_METAL, "Select &Metal"),
        item(ID_SELECT_DIELECTRIC, "Select &Dielectric"),
        item(ID_CLEAR_SELECTION, "Clea&r Selection"),
    });
}

constexpr std::array kAccelerators = std::to_array<Accelerator>({
    {{Key::C, kCtrl}, ID_EDIT_COPY},
    {{Key::Insert, kCtrl}, ID_EDIT_COPY},
    {{Key::X, kCtrl}, ID_EDIT_CUT},
    {{Key::Delete, kShift}, ID_EDIT_CUT},
    {{Key::V, kCtrl}, ID_EDIT_PASTE},
    {{Key::Insert, kShift}, ID_EDIT_PASTE},
    {{Key::Z, kCtrl}, ID_EDIT_UNDO},
    {{Key::Backspace, kAlt}, ID_EDIT_UNDO},
    {{Key::Y, kCtrl}, ID_EDIT_REDO},
    {{Key::Delete, kNoModifier}, ID_EDIT_DELETE},
    {{Key::O, kCtrl}, ID_FILE_LOAD},
    {{Key::S, kCtrl}, ID_FILE_SAVE},
    {{Key::F4, kCtrl}, ID_APPLY_AND_CLOSE},
    {{Key::F4, kAlt}, ID_DISCARD_AND_CLOSE},
});

constexpr std::array<uint32_t, 26> kToolBar = {
    ID_FILE_PRINT, ID_FILE_PRINT_PICTURE, ID_SEPARATOR,
    ID_SPLIT_VERTICAL, ID_SPLIT_HORIZONTAL, ID_SEPARATOR,
    ID_EDIT_UNDO, ID_EDIT_REDO, ID_SEPARATOR,
    ID_EDIT_CUT, ID_EDIT_COPY, ID_COPY_MANUFACTURING_DOC, ID_EDIT_PASTE,
    ID_BOARD_LIST,
    ID_INSERT_ABOVE_MOST_SUITABLE, ID_INSERT_BELOW_MOST_SUITABLE, ID_SEPARATOR,
    ID_APPLY_TO_SELECTION, ID_SEPARATOR,
    ID_KEEP_SELECTION, ID_SELECT_ALL, ID_SELECT_METAL, ID_SELECT_DIELECTRIC, ID_CLEAR_SELECTION, ID_SEPARATOR,
    ID_HELP_CONTENTS,
};

std::string_view keyName(Key key)
{
    switch (key) {
    case Key::C: return "C";
    case Key::X: return "X";
    case Key::V: return "V";
    case Key::Z: return "Z";
    case Key::Y: return "Y";
    case Key::O: return "O";
    case Key::S: return "S";
    case Key::Insert: return "Ins";
    case Key::Delete: return "Del";
    case Key::Backspace: return "Backspace";
    case Key::F4: return "F4";
    }
    return {};
}

} // namespace

const std::vector<MenuItem>& mainMenuTemplate()
{
    static const std::vector<MenuItem> menu = buildMainMenu();
    return menu;
}

const MenuItem& gridPopupMenu()
{
    static const MenuItem menu = buildGridPopup();
    return menu;
}

std::span<const Accelerator> acceleratorTable() { return kAccelerators; }

uint32_t acceleratorCommand(KeyChord chord)
{
    const auto* found = std::find_if(kAccelerators.begin(), kAccelerators.end(),
                                     [&](const Accelerator& a) { return a.chord == chord; });
    return found != kAccelerators.end() ? found->command : 0;
}

std::string keyChordText(KeyChord chord)
{
    std::string text;
    if (chord.modifiers & kCtrl)
        text += "Ctrl+";
    if (chord.modifiers & kShift)
        text += "Shift+";
    if (chord.modifiers & kAlt)
        text += "Alt+";
    return text += keyName(chord.key);
}

std::span<const uint32_t> toolBarTemplate() { return kToolBar; }

} // namespace lm::res
