#pragma once
// The named cell styles of the layer grid and the base style of each column.
#include "sheet/CellGrid.h"
#include "grid/LayerGrid.h"

#include <cstdint>
#include <vector>

namespace lm {

// One style per GridStyle, in its order. The dielectric-usage list holds the
// rigid-flex usages when `rigidFlex`, the rigid-board ones otherwise.
std::vector<CellStyle> buildGridStyles(bool rigidFlex);

// The style a column's cells take unless the layer or a setting decides otherwise.
GridStyle baseStyleOf(int32_t columnId);

// The same control made read-only on the light-blue background.
CellStyle lockedVariant(CellStyle style);

// A not-applicable cell: the only static-text cell of the grid.
inline bool isNotApplicable(const CellStyle& style) { return style.control == CellControl::Static; }

} // namespace lm
