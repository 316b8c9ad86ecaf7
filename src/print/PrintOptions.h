#pragma once
// What the layer report prints: the twelve printable columns, the layers
// (chosen whole, by a typed range or by the grid's selection), list or table,
// the schematic, and the Z0 value of every layer.
#include "platform/Printing.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lm {

// The printable columns in the order the report and the options page list them.
inline constexpr std::array<int32_t, 12> kPrintableColumns = {3, 4, 5, 6, 8, 7, 9, 10, 11, 12, 13, 14};

struct PrintOptions {
    bool asTable = true;
    bool schematic = true;
    std::array<bool, kPrintableColumns.size()> columns{true, true, true, true, true, true,
                                                       true, true, true, true, true, true};
    std::vector<uint8_t> layers; // per layer of the board, nonzero: printed
    std::vector<double> z0;      // per layer, 0.0 until the calculator filled it
    bool pageNumbers = false;    // the example host's PDF; the print dialog has none

    bool printsColumn(int32_t columnId) const;
};

// Layer flags for a typed range on `count` layers: comma-separated 1-based
// numbers and hyphenated pairs in either order; empty text: every layer.
std::vector<uint8_t> parseLayerRange(std::string_view text, std::size_t count);

// The range field's text as the user may type it: a digit first, then digits,
// and after a digit a comma, a blank or one hyphen per item.
std::string filterRangeText(std::string_view text);

// The options page as it opens for these options (Whole stackup chosen,
// Selection offered only when rows are selected).
ReportDialogOptions reportDialogOpening(const PrintOptions& options, bool haveSelection);
// The page's answer on OK: columns, style, schematic, and the layer flags from
// the chosen layers (`selected` are the grid's selected layer indexes).
void takeReportDialog(PrintOptions& options, const ReportDialogOptions& page, std::size_t layerCount,
                      std::span<const int32_t> selected);

} // namespace lm
