#pragma once
// The schematic cross-section of the report and the documentation: one row
// per layer in stackup order, each as high as a line of text, all as wide.
#include <laminar/laminar.h>

#include "platform/Canvas.h"

#include <span>

namespace lm {

enum class SchematicFill : uint8_t {
    Plain,    // the printed report: outlines over white
    Hatched,  // the documentation: metal filled with a red back-diagonal hatch
};

// Rows from `origin` down, `rowSize` each: signal traces at 1/5-2/5 and 3/5-4/5
// of the width over the middle half of the row, planes across the width over
// the middle half, dielectrics filling their row, plating and solder mask as
// an outline over (or under) the traces of the neighbouring signal layer.
void drawSchematic(Canvas& canvas, std::span<const LMLAYEREX> layers, Point origin, Size rowSize, SchematicFill fill);

} // namespace lm
