#pragma once
// Command ids of menus, accelerators and tool bar buttons, and the ids of
// resources (menus, tool bar, accelerator table, dialog templates).
#include <cstdint>

namespace lm::res {

enum CommandId : uint32_t {
    // A separator in menus and the tool bar carries no command.
    ID_SEPARATOR = 0,
    // Dialog buttons
    IDOK = 1,
    IDCANCEL = 2,
    IDHELP = 9,
    // File
    ID_FILE_PRINT = 32830,
    ID_FILE_PRINT_PICTURE = 32828,
    ID_APPLY_AND_CLOSE = 32771,
    ID_DISCARD_AND_CLOSE = 57602,
    ID_FILE_LOAD = 57601,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 32840,
    // Edit
    ID_EDIT_UNDO = 57643,
    ID_EDIT_REDO = 57644,
    ID_EDIT_CUT = 57635,
    ID_EDIT_COPY = 57634,
    ID_COPY_MANUFACTURING_DOC = 32838,
    ID_COPY_PICTURE = 32837,
    ID_EDIT_PASTE = 57637,
    ID_EDIT_DELETE = 32807,
    ID_INSERT_ABOVE_MOST_SUITABLE = 32793,
    ID_INSERT_ABOVE_SIGNAL = 32794,
    ID_INSERT_ABOVE_SOLID_PLANE = 32795,
    ID_INSERT_ABOVE_SPLIT_MIXED = 32796,
    ID_INSERT_ABOVE_FLOODED_SIGNAL = 32842,
    ID_INSERT_ABOVE_PLATING = 32797,
    ID_INSERT_ABOVE_SUBSTRATE = 32798,
    ID_INSERT_ABOVE_RIGID = 32858,
    ID_INSERT_ABOVE_FLEXIBLE = 32859,
    ID_INSERT_ABOVE_SOLDER_MASK = 32799,
    ID_INSERT_ABOVE_ADHESIVE = 32855,
    ID_INSERT_ABOVE_COVER_LAYER = 32856,
    ID_INSERT_ABOVE_STIFFENER = 32857,
    ID_INSERT_BELOW_MOST_SUITABLE = 32806,
    ID_INSERT_BELOW_SIGNAL = 32800,
    ID_INSERT_BELOW_SOLID_PLANE = 32801,
    ID_INSERT_BELOW_SPLIT_MIXED = 32802,
    ID_INSERT_BELOW_FLOODED_SIGNAL = 32843,
    ID_INSERT_BELOW_PLATING = 32803,
    ID_INSERT_BELOW_SUBSTRATE = 32804,
    ID_INSERT_BELOW_RIGID = 32851,
    ID_INSERT_BELOW_FLEXIBLE = 32850,
    ID_INSERT_BELOW_SOLDER_MASK = 32805,
    ID_INSERT_BELOW_ADHESIVE = 32852,
    ID_INSERT_BELOW_COVER_LAYER = 32853,
    ID_INSERT_BELOW_STIFFENER = 32854,
    ID_APPLY_TO_SELECTION = 32812,
    // View
    ID_SPLIT_VERTICAL = 32775,
    ID_SPLIT_HORIZONTAL = 32776,
    ID_CUSTOMIZE = 32788,
    ID_KEEP_SELECTION = 32813,
    ID_SELECT_ALL = 32814,
    ID_SELECT_METAL = 32823,
    ID_SELECT_DIELECTRIC = 32824,
    ID_CLEAR_SELECTION = 32815,
    // Help
    ID_HELP_CONTENTS = 32826,
    ID_APP_ABOUT = 32860,
    // Tool bar board list
    ID_BOARD_LIST = 32790,
};

enum ResourceId : uint32_t {
    IDD_ABOUTBOX = 100,
    IDD_LAMINAR = 1000,
    IDR_MENU = 1001,
    IDR_TOOLBAR = 1002,
    IDR_POPUP_MENUS = 1005,
    IDD_PICTURE_BAR = 1012,
    IDD_GRID_BAR_ALL = 1013,
    IDR_ACCELERATORS = 1014,
    IDD_CUSTOMIZE = 1016,
    IDD_BAR_BASIC = 1017,
    IDD_BAR_DIELECTRIC = 1018,
    IDD_BAR_METAL = 1019,
    IDD_BAR_Z0_PLANNING = 1020,
    IDD_BAR_CUSTOM_VIEW = 1021,
    IDI_LAMINAR = 1028,
    IDD_PRINT_OPTIONS = 1538,
    // Bitmaps of the Customize Spreadsheet dialog's move buttons
    IDB_MOVE_UP = 1010,
    IDB_MOVE_DOWN = 1011,
};

enum ControlId : uint32_t {
    IDC_TAB_CONTROL = 1000,
    IDC_KEEP_IN_SYNC = 1046,
    // Picture pane bar
    IDC_DRAW_PROPORTIONALLY = 1005,
    IDC_TOTAL_THICKNESS_LABEL = 1007,
    IDC_TOTAL_THICKNESS = 1006,
    IDC_STATUS_LINE = 1012,
    IDC_USE_LAYER_COLORS = 1035,
    // Grid pane bars
    IDC_APPLY_AS_TEST_WIDTH = 1007,
    IDC_UNITS = 1008,
    IDC_CUSTOMIZE = 1009,
    IDC_METAL_THICKNESS_AS = 1010,
    IDC_ER_FREQUENCY = 1013,
    IDC_STRATEGY_LABEL = 1016,
    IDC_ER_FREQUENCY_LABEL = 1017,
    IDC_METAL_THICKNESS_AS_LABEL = 1018,
    IDC_UNITS_LABEL = 1019,
    IDC_STRATEGY = 1020,
    IDC_PLAN_FOR_LABEL = 1021,
    IDC_PLAN_FOR = 1022,
    IDC_MHZ_LABEL = 1023,
    IDC_AUTO_ER = 1030,
    IDC_FAB_COMPENSATION = 1034,
    // Customize Spreadsheet dialog
    IDC_COLUMN_LIST = 1002,
    IDC_MOVE_UP = 1006,
    IDC_MOVE_DOWN = 1007,
    // About box
    IDC_VERSION = 1020,
    // Options page of the report's print dialog
    IDC_PRINT_WHOLE_STACKUP = 1059,
    IDC_PRINT_RANGE = 1060,
    IDC_PRINT_SELECTION = 1061,
    IDC_PRINT_RANGE_EDIT = 1033,
    IDC_PRINT_COLUMNS = 1002,
    IDC_PRINT_AS = 1044,
    IDC_PRINT_SCHEMATIC = 1045,
    // A label, icon or group box that nothing refers to (-1 in a 16-bit template)
    IDC_STATIC = 0xFFFF,
};

// The File-menu commands carried out by the host's archive callback, with the
// operation code each passes to it, in the order the File menu is rebuilt.
struct ArchiveCommand {
    uint32_t commandId;
    int32_t operation;
};
inline constexpr ArchiveCommand kArchiveCommands[] = {
    {ID_FILE_SAVE, 0},
    {ID_FILE_SAVE_AS, 1},
    {ID_FILE_LOAD, 2},
};

} // namespace lm::res
