#include "res/Strings.h"

#include <algorithm>
#include <array>

namespace lm::res {
namespace {

// Ascending by id; the static_assert below keeps it so, since lookup is a binary search.
constexpr std::array kStrings = std::to_array<StringEntry>({
    {IDS_BOARD_LABEL, "Board:"},
    {IDS_NOT_ENOUGH_LAYERS, "Not enough layers in stackup.\nMinimum number of layers is 3."},
    {IDS_DIELECTRIC_REQUIRED, "Dielectric layer is required between layers %s and %s."},
    {IDS_LAYER_TOO_THIN, "Layer %s is too thin."},
    {IDS_STACKUP_INVALID_ER, "Invalid Er value for layer %s. Valid Er values are 1 - 100."},
    {IDS_INNER_SOLDER_MASK, "Layer %s - solder mask on an inner layer is not supported."},
    {IDS_INNER_PLATING, "Layer %s - inner-layer plating is not supported."},
    {IDS_NO_PLANE_LAYERS, "No plane layers defined."},
    {IDS_NO_SIGNAL_LAYER, "At least one signal layer is required."},
    {IDS_NO_ERRORS, "No errors in stackup."},
    {IDS_PICTURE_ER, "Er = %.5g"},
    {IDS_STILL_INVALID_PROCEED, "Stackup is still invalid!\nProceed anyway?"},
    {IDS_VALUE_NOT_AVAILABLE, "<N/A>"},
    {IDS_VALUE_ERROR, "<Error>"},
    {IDS_PICTURE_Z0_ERROR, "Z0 = <Error>"},
    {IDS_PICTURE_Z0, "Z0 = %.3g ohm"},
    {IDS_PICTURE_Z0_NOT_AVAILABLE, "Z0 = <N/A>"},
    {IDS_CURVE_SEPARATION, "Separation"},
    {IDS_CURVE_TRACE_WIDTH, "Trace Width"},
    {IDS_Z0_CURVE_TITLE, "Layer \"%s\" - Width-vs-Separation Graph for Differential Z0 = %d Ohm"},
    {IDS_UNNAMED, "<Unnamed>"},
    {IDS_INVALID_THICKNESS, "Invalid thickness value.\nLayer must be at least 1 um, i.e. 0.04 mils, thick."},
    {IDS_INVALID_ER, "Invalid Er value\nEr values must be in the range 1 - 100."},
    {IDS_PRINT_TITLE, "Layer Stackup. Design: %s, Designer: %s."},
    {IDS_TOTAL_THICKNESS, "Total thickness = %s"},
    {IDS_COPY_PICTURE_TITLE, "Layer Stackup. Design: %s."},
    {IDS_PRINT_DOCUMENT_NAME, "Stackup (%s)"},
    {IDS_PRINT_LAYER_COUNT, "Number of layers: %d"},
    {IDS_PRINT_LAYER_NUMBER, "Layer #%d"},
    {IDS_PRINT_NAME, "    Name: %s"},
    {IDS_PRINT_TYPE, "    Type: %s"},
    {IDS_PRINT_USAGE, "    Usage: %s"},
    {IDS_PRINT_TECHNOLOGY, "    Technology: %s"},
    {IDS_PRINT_THICKNESS, "    Thickness: %g %s"},
    {IDS_PRINT_ER, "    Er: %g"},
    {IDS_PRINT_METAL, "    Metal: %s"},
    {IDS_PRINT_BULK_RESISTIVITY, "    Bulk Resistivity: %g Ohm"},
    {IDS_PRINT_TEMP_COEF, "    Temperature Coefficient: %g 1/\u00B0C"},
    {IDS_PRINT_LOSS_TANGENT, "    Loss Tangent: %g"},
    {IDS_PRINT_Z0, "    Z0: %s Ohm at trace width = %g %s"},
    {IDS_CHANGES_LOST, "All changes in Stackup will be lost!\nDo you really want to close Laminar?"},
    {IDS_WIDTH_BELOW_THICKNESS, "Trace width less than metal thickness is not supported."},
    {IDS_GAP_BELOW_THICKNESS, "Trace separation less than metal thickness is not supported."},
    {IDS_PLATED_DIELECTRIC, "Layer %s - plated dielectric is not supported."},
    {IDS_SAME_NAMES, "Layers %s and %s have the same names.\nNames of metal layers must be unique."},
    {IDS_FREQUENCY_RANGE_INVALID, "Maximum frequency value must be greater than minimum frequency value."},
    {IDS_LOSS_IMPOSSIBLE,
     "Calculation of loss data is physically impossible;\nCheck for unusual geometry or no plane layers present"},
    {IDS_PRINT_AS_TABLE, "Table"},
    {IDS_PRINT_AS_LIST, "List"},
    {IDS_PRINT_NUMBER_COLUMN, "NN"},
    {IDS_DOC_TITLE, "Layer Stackup"},
    {IDS_DOC_DESIGN_LINE, "Design: %s, Designer: %s."},
    {IDS_DOC_THIRD_LINE, "%s"},
    {IDS_STACKUP_INVALID_LOSS_TANGENT, "Invalid loss-tangent value for layer %s. Valid values are 0 - 100."},
    {IDS_INVALID_LOSS_TANGENT, "Invalid loss-tangent value\nLoss Tangent values must be in range 0 - 100."},
    {IDS_BLANK_IN_NAME, "Blank characters are not allowed in layer name."},
    {IDS_CRITICAL_NOT_SAVED, "Stackup can not be saved due to critical errors."},
    {IDS_METAL_NAME_EMPTY, "Layer %s: Metal Layer name can not be empty"},
    {IDS_LAYER_BLANK_IN_NAME, "Layer %s: Blank characters are not allowed in layer name."},
    {IDS_PRINT_PAGE_NUMBER, "Page %d"},

    {IDS_TAB_BASIC, "Basic"},
    {IDS_TAB_METAL, "Metal"},
    {IDS_TAB_DIELECTRIC, "Dielectric"},
    {IDS_TAB_Z0_PLANNING, "Z0 Planning"},
    {IDS_TAB_CUSTOM_VIEW, "Custom View"},

    {IDS_COLUMN_LAYER_NAME, "Layer Name"},
    {IDS_COLUMN_TYPE, "Type"},
    {IDS_COLUMN_USAGE, "Usage"},
    {IDS_COLUMN_THICKNESS, "Thickness"},
    {IDS_COLUMN_ER, "Er"},
    {IDS_COLUMN_TECHNOLOGY, "Technology"},
    {IDS_COLUMN_BULK_R, "Bulk R"},
    {IDS_COLUMN_T_COEF, "T coef"},
    {IDS_COLUMN_VISIBLE, "Visible"},
    {IDS_COLUMN_COLOR, "Color"},
    {IDS_COLUMN_METAL, "Metal"},
    {IDS_COLUMN_LOSS_TANGENT, "Loss Tangent"},
    {IDS_COLUMN_TEST_WIDTH, "Test Width"},
    {IDS_COLUMN_Z0, "Z0"},
    {IDS_COLUMN_TARGET_Z0, "Target Z0"},
    {IDS_COLUMN_WIDTH, "Width"},
    {IDS_COLUMN_GAP, "Gap"},
    {IDS_COLUMN_Z0_CURVE, "Z0 Curve"},
    {IDS_COLUMN_POUR_DRAW_STYLE, "Pour Draw Style"},
    {IDS_COLUMN_LOSS_CURVE, "Loss Curve"},
    {IDS_COLUMN_DIFF_Z0, "Diff Z0"},

    {IDS_USAGE_SPLIT_MIXED, "Split/Mixed"},
    {IDS_USAGE_FLOODED_SIGNAL, "Flooded Signal"},
    {IDS_LOSS_FREQUENCY_TITLE, "Frequency (MHz)"},
    {IDS_LOSS_ATTENUATION_TITLE, "Attenuation (dB/m)"},
    {IDS_LOSS_RESISTANCE_TITLE, "Resistance (ohm/m)"},
    {IDS_LOSS_CROSSING, "%.5g MHz"},
    {IDS_NUMBER_OUT_OF_RANGE, "Please enter a number between %s and %s."},

    {IDS_PROMPT_SPLIT_VERTICAL, "Split window vertically\nSplit window vertically"},
    {IDS_PROMPT_SPLIT_HORIZONTAL, "Split window horizontally\nSplit window horizontally"},
    {IDS_PROMPT_INSERT_SUITABLE_ABOVE,
     "Insert the most suitable layer above selected layer\nInsert the most suitable layer above selected layer"},
    {IDS_PROMPT_INSERT_SUITABLE_BELOW,
     "Insert the most suitable layer below selected layer\nInsert the most suitable layer below selected layer"},
    {IDS_PROMPT_APPLY_TO_SELECTION, "Apply cell value to all selected rows\nApply cell value to all selected rows"},
    {IDS_PROMPT_KEEP_SELECTION,
     "Keep selection \"on\" during editing operations\nKeep selection \"on\" during editing operations"},
    {IDS_PROMPT_SELECT_ALL, "Select all layers\nSelect all layers"},
    {IDS_PROMPT_CLEAR_SELECTION, "Deselect selected layers\nDeselect selected layers"},
    {IDS_PROMPT_SELECT_METAL, "Select all metal layers\nSelect all metal layers"},
    {IDS_PROMPT_SELECT_DIELECTRIC, "Select all dielectric layers\nSelect all dielectric layers"},
    {IDS_PROMPT_HELP, "Help system\nHelp system"},
    {IDS_PROMPT_PRINT_PICTURE, "Print Stackup as a picture\nPrint Stackup as a picture"},
    {IDS_PROMPT_PRINT, "Print layers info\nPrint layers info"},
    {IDS_PROMPT_COPY_MANUFACTURING,
     "Copy to clipboard as Manufacturing Documentation\nCopy to clipboard as Manufacturing Documentation"},
    {IDS_PROMPT_COPY, "Copy to clipboard\nCopy to clipboard"},
    {IDS_PROMPT_CUT, "Cut to clipboard\nCut to clipboard"},
    {IDS_PROMPT_PASTE, "Paste from clipboard\nPaste from clipboard"},
    {IDS_PROMPT_UNDO, "Undo previous command\nUndo previous command"},
    {IDS_PROMPT_REDO, "Redo undone command\nRedo undone command"},
});

constexpr bool idsStrictlyAscending()
{
    return std::adjacent_find(kStrings.begin(), kStrings.end(),
                              [](const StringEntry& a, const StringEntry& b) { return a.id >= b.id; }) ==
           kStrings.end();
}
static_assert(idsStrictlyAscending(), "string table ids must be unique and ascending");

} // namespace

std::string_view loadString(uint32_t id)
{
    const auto* entry = std::lower_bound(kStrings.begin(), kStrings.end(), id,
                                         [](const StringEntry& e, uint32_t wanted) { return e.id < wanted; });
    return entry != kStrings.end() && entry->id == id ? entry->text : std::string_view{};
}

std::span<const StringEntry> stringTableEntries()
{
    return kStrings;
}

} // namespace lm::res
