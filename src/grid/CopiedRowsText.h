#pragma once
// Selected layer rows as other programs read them: tab-separated text lines
// for spreadsheets and an HTML table for word processors, both from the texts
// the grid shows. The editor never reads either back as layers.
#include "sheet/CellGrid.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace lm {

// First the header texts, then one line of cell texts per copied row.
using TextTable = std::vector<std::vector<std::string>>;

// The shown columns from left to right, without the row header and the
// columns whose cells are controls rather than values (Visible, Color, Pour
// Draw Style, Z0 Curve, Loss Curve).
std::vector<int32_t> copiedColumns(const CellGrid& cells);
// The header row and `rows` (grid rows, in that order) over copiedColumns.
TextTable copiedTexts(const CellGrid& cells, std::span<const int32_t> rows);

// Every cell followed by a tab, every line by a newline; a newline inside a
// cell (a header's unit line) becomes a blank.
std::string tabSeparatedText(const TextTable& table);
// A table whose first row is the header; a header's unit goes on its own line.
std::string htmlTable(const TextTable& table);

} // namespace lm
