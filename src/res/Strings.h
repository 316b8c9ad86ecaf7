#pragma once
// The string table: every user-visible text by its numeric id.
#include <cstdint>
#include <string_view>

namespace lm::res {

// An unknown id gives an empty text.
std::string_view loadString(uint32_t id);

// Ids used across the core (the table holds more).
enum StringId : uint32_t {
    IDS_NOT_ENOUGH_LAYERS = 1122,
    IDS_DIELECTRIC_REQUIRED = 1123,
    IDS_LAYER_TOO_THIN = 1124,
    IDS_STACKUP_INVALID_ER = 1125,
    IDS_INNER_SOLDER_MASK = 1126,
    IDS_INNER_PLATING = 1127,
    IDS_NO_PLANE_LAYERS = 1128,
    IDS_NO_SIGNAL_LAYER = 1129,
    IDS_NO_ERRORS = 1130,
    IDS_STILL_INVALID_PROCEED = 1133,
    IDS_INVALID_THICKNESS = 1146,
    IDS_INVALID_ER = 1147,
    IDS_CHANGES_LOST = 1167,
    IDS_WIDTH_BELOW_THICKNESS = 1169,
    IDS_GAP_BELOW_THICKNESS = 1170,
    IDS_PLATED_DIELECTRIC = 1171,
    IDS_SAME_NAMES = 1173,
    IDS_STACKUP_INVALID_LOSS_TANGENT = 1192,
    IDS_INVALID_LOSS_TANGENT = 1193,
    IDS_BLANK_IN_NAME = 1194,
    IDS_CRITICAL_NOT_SAVED = 1195,
    IDS_METAL_NAME_EMPTY = 1196,
    IDS_LAYER_BLANK_IN_NAME = 1197,
    IDS_TAB_BASIC = 5000,
    IDS_TAB_METAL = 5002,
    IDS_TAB_DIELECTRIC = 5003,
    IDS_TAB_Z0_PLANNING = 5004,
    IDS_TAB_CUSTOM_VIEW = 5005,
    IDS_COLUMN_LAYER_NAME = 6000, // column titles: 6000..6020, see the column catalogue
};

} // namespace lm::res
