#pragma once
// How a layer's row looks and reads in the layer grid, as functions of the
// layer and the settings alone: the style of each cell, the text of each
// value, and the number a numeric column shows.
#include <laminar/laminar.h>

#include "document/EditSettings.h"
#include "grid/GridStyles.h"

#include <cstdint>
#include <span>
#include <string>

namespace lm {

// The unit and thickness mode the rows' numbers are written in, and the decimal point.
struct RowUnits {
    LMUNIT unit{};
    int32_t thicknessMode = 0;
    char decimalPoint = '.';
};

// The style a cell of that column takes for the layer, step by step from the
// column's base style; `styles` holds one style per GridStyle, in its order.
CellStyle rowCellStyle(const LMLAYEREX& layer, int32_t columnId, const LMEDITSETTINGS& settings,
                       std::span<const CellStyle> styles);

// The cell's text for the layer, in the units the rows show.
std::string rowValueText(const LMLAYEREX& layer, int32_t columnId, const RowUnits& units);

// The widest text the calculator may put in a column ("<Error>" in the Z0,
// planned width and gap columns), empty for other columns: fitting a column
// to it keeps the answers the idle pass writes later whole.
std::string widestCalculatorText(int32_t columnId);

// The number a numeric column shows for the stored value.
double shownValue(const LMLAYEREX& layer, int32_t columnId, const LMUNIT& unit, int32_t thicknessMode);

} // namespace lm
