#pragma once
// Stackup rules the grid's edits and commands and the picture's drag share:
// the most suitable usage between two neighbours, where plating may stand, and
// whether a block of layers may move without breaking drill pairs.
#include <laminar/laminar.h>

#include "model/DrillSpanSet.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace lm {

// The usage that fits between a layer of usage `a` and one of usage `b`
// (-1 for no layer there). Insert above: a = current, b = the layer above it;
// insert below: a = the layer below, b = current; a Type change: a = below, b = above.
int32_t mostSuitableUsage(int32_t a, int32_t b, bool rigidFlex);

// Whether a metal at zero-based index `index` may be Plating: the layer above
// is a metal and no layer below is a metal of another usage than Plating, or
// the layer below is a metal and no layer above is one.
bool platingAllowedAt(std::span<const LMLAYEREX> layers, std::size_t index);

// Whether layers [first, first+count) may move so that they land before what
// is index `target` now (target may be layers.size()); without a target
// (`target` < 0) only whether the block may start moving. Spans are the
// layers' drill-span sets in the same order; when the first layer has none
// (or there are no spans) every move is allowed.
bool drillMoveAllowed(std::span<const DrillSpanSet> spans, std::size_t first, std::size_t count, int32_t target);

// The span set a layer inserted at `index` gets: every bit of the existing
// sets' size, and-ed with the neighbours' sets that exist. Empty when the
// board's layers carry no spans.
DrillSpanSet insertedLayerSpans(std::span<const DrillSpanSet> spans, std::size_t index);

} // namespace lm
