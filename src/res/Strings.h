#pragma once
// The string table: every user-visible text by its numeric id.
#include <cstdint>
#include <span>
#include <string_view>

namespace lm::res {

// An unknown id gives an empty text.
std::string_view loadString(uint32_t id);

struct StringEntry {
    uint32_t id;
    std::string_view text;
};
// The whole table, ascending by id (for checks and for tools that list texts).
std::span<const StringEntry> stringTableEntries();

// Ids used across the core. Texts with a degree sign are UTF-8.
enum StringId : uint32_t {
    IDS_BOARD_LABEL = 1103, // tool bar label before the board list

    // Rules check and the questions around it.
    IDS_NOT_ENOUGH_LAYERS = 1122,
    IDS_DIELECTRIC_REQUIRED = 1123,
    IDS_LAYER_TOO_THIN = 1124,
    IDS_STACKUP_INVALID_ER = 1125,
    IDS_INNER_SOLDER_MASK = 1126,
    IDS_INNER_PLATING = 1127,
    IDS_NO_PLANE_LAYERS = 1128,
    IDS_NO_SIGNAL_LAYER = 1129,
    IDS_NO_ERRORS = 1130,

    // Picture labels and value placeholders.
    IDS_PICTURE_ER = 1131,
    IDS_STILL_INVALID_PROCEED = 1133,
    IDS_VALUE_NOT_AVAILABLE = 1134,
    IDS_VALUE_ERROR = 1135,
    IDS_PICTURE_Z0_ERROR = 1136,
    IDS_PICTURE_Z0 = 1137,
    IDS_PICTURE_Z0_NOT_AVAILABLE = 1141,

    // Z0 curve dialog.
    IDS_CURVE_SEPARATION = 1142,
    IDS_CURVE_TRACE_WIDTH = 1143,
    IDS_Z0_CURVE_TITLE = 1144,
    IDS_UNNAMED = 1145,

    IDS_INVALID_THICKNESS = 1146,
    IDS_INVALID_ER = 1147,

    // Printing and copying.
    IDS_PRINT_TITLE = 1148,
    IDS_TOTAL_THICKNESS = 1149,
    IDS_COPY_PICTURE_TITLE = 1150,
    IDS_PRINT_DOCUMENT_NAME = 1151,
    IDS_PRINT_LAYER_COUNT = 1154,
    IDS_PRINT_LAYER_NUMBER = 1155,
    IDS_PRINT_NAME = 1156,
    IDS_PRINT_TYPE = 1157,
    IDS_PRINT_USAGE = 1158,
    IDS_PRINT_TECHNOLOGY = 1159,
    IDS_PRINT_THICKNESS = 1160,
    IDS_PRINT_ER = 1161,
    IDS_PRINT_METAL = 1162,
    IDS_PRINT_BULK_RESISTIVITY = 1163,
    IDS_PRINT_TEMP_COEF = 1164,
    IDS_PRINT_LOSS_TANGENT = 1165,
    IDS_PRINT_Z0 = 1166,

    IDS_CHANGES_LOST = 1167,
    IDS_WIDTH_BELOW_THICKNESS = 1169,
    IDS_GAP_BELOW_THICKNESS = 1170,
    IDS_PLATED_DIELECTRIC = 1171,
    IDS_SAME_NAMES = 1173,

    // Loss-versus-frequency dialog.
    IDS_FREQUENCY_RANGE_INVALID = 1183,
    IDS_LOSS_IMPOSSIBLE = 1185,

    // Print style choices and the layer-number column of the printed table.
    IDS_PRINT_AS_TABLE = 1186,
    IDS_PRINT_AS_LIST = 1187,
    IDS_PRINT_NUMBER_COLUMN = 1188,

    // Manufacturing documentation header lines.
    IDS_DOC_TITLE = 1189,
    IDS_DOC_DESIGN_LINE = 1190,
    IDS_DOC_THIRD_LINE = 1191,

    IDS_STACKUP_INVALID_LOSS_TANGENT = 1192,
    IDS_INVALID_LOSS_TANGENT = 1193,
    IDS_BLANK_IN_NAME = 1194,
    IDS_CRITICAL_NOT_SAVED = 1195,
    IDS_METAL_NAME_EMPTY = 1196,
    IDS_LAYER_BLANK_IN_NAME = 1197,
    // The page number of the example host's PDF report.
    IDS_PRINT_PAGE_NUMBER = 1198,

    // Tab names; the tab catalogue maps tab ids to these.
    IDS_TAB_BASIC = 5000,
    IDS_TAB_METAL = 5002,
    IDS_TAB_DIELECTRIC = 5003,
    IDS_TAB_Z0_PLANNING = 5004,
    IDS_TAB_CUSTOM_VIEW = 5005,

    // Column titles; the column catalogue maps column ids to these.
    IDS_COLUMN_LAYER_NAME = 6000,
    IDS_COLUMN_TYPE = 6001,
    IDS_COLUMN_USAGE = 6002,
    IDS_COLUMN_THICKNESS = 6003,
    IDS_COLUMN_ER = 6004,
    IDS_COLUMN_TECHNOLOGY = 6005,
    IDS_COLUMN_BULK_R = 6006,
    IDS_COLUMN_T_COEF = 6007,
    IDS_COLUMN_VISIBLE = 6008,
    IDS_COLUMN_COLOR = 6009,
    IDS_COLUMN_METAL = 6010,
    IDS_COLUMN_LOSS_TANGENT = 6011,
    IDS_COLUMN_TEST_WIDTH = 6013,
    IDS_COLUMN_Z0 = 6014,
    IDS_COLUMN_TARGET_Z0 = 6015,
    IDS_COLUMN_WIDTH = 6016,
    IDS_COLUMN_GAP = 6017,
    IDS_COLUMN_Z0_CURVE = 6018,
    IDS_COLUMN_POUR_DRAW_STYLE = 6019,
    IDS_COLUMN_LOSS_CURVE = 6020,
    IDS_COLUMN_DIFF_Z0 = 6021, // the Target Z0 column's title while planning for a pair

    // Usage texts that the usage catalogue lacks (host-only usages), at 7000 + usage value.
    IDS_USAGE_SPLIT_MIXED = 7002,
    IDS_USAGE_FLOODED_SIGNAL = 7003,

    // Loss-versus-frequency dialog: axis titles, the crossing and the range check of its edits.
    IDS_LOSS_FREQUENCY_TITLE = 7100,
    IDS_LOSS_ATTENUATION_TITLE = 7101,
    IDS_LOSS_RESISTANCE_TITLE = 7102,
    IDS_LOSS_CROSSING = 7103,
    IDS_NUMBER_OUT_OF_RANGE = 7104,

    // Command prompts: "prompt\nshort form"; a tool tip shows the part before the line break.
    IDS_PROMPT_SPLIT_VERTICAL = 32775,
    IDS_PROMPT_SPLIT_HORIZONTAL = 32776,
    IDS_PROMPT_INSERT_SUITABLE_ABOVE = 32793,
    IDS_PROMPT_INSERT_SUITABLE_BELOW = 32806,
    IDS_PROMPT_APPLY_TO_SELECTION = 32812,
    IDS_PROMPT_KEEP_SELECTION = 32813,
    IDS_PROMPT_SELECT_ALL = 32814,
    IDS_PROMPT_CLEAR_SELECTION = 32815,
    IDS_PROMPT_SELECT_METAL = 32823,
    IDS_PROMPT_SELECT_DIELECTRIC = 32824,
    IDS_PROMPT_HELP = 32826,
    IDS_PROMPT_PRINT_PICTURE = 32828,
    IDS_PROMPT_PRINT = 32830,
    IDS_PROMPT_COPY_MANUFACTURING = 32838,
    IDS_PROMPT_COPY = 57634,
    IDS_PROMPT_CUT = 57635,
    IDS_PROMPT_PASTE = 57637,
    IDS_PROMPT_UNDO = 57643,
    IDS_PROMPT_REDO = 57644,
};

} // namespace lm::res
