#pragma once
// Texts of the layer grid's frame: the column order, the header texts with
// their unit line, and the row numbers.
#include <laminar/laminar.h>

#include "document/EditSettings.h"

#include <cstddef>
#include <span>
#include <string>

namespace lm {

// The 20 column ids in the order of the grid's columns, after the row header.
std::span<const int32_t> gridColumnIds();

// The title, and for a column with a unit a newline and the current unit text.
std::string columnHeaderText(int32_t columnId, const LMEDITSETTINGS& settings);
// Row r (1 for the top layer) as the row header shows it.
std::string rowHeaderText(std::size_t row);

} // namespace lm
