#pragma once
// Stackup rules the grid's edits and commands and the picture's drag share:
// the most suitable usage between two neighbours, where plating may stand,
// what a layer becomes when its type changes, the rules of layer kinds, and
// whether a block of layers may move without breaking drill pairs.
#include <laminar/laminar.h>

#include "model/DrillSpanSet.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace lm {

// The usage that fits between a layer of usage `a` and one of usage `b`
// (-1 for no layer there). Insert above: a = current, b = the layer above it;
// insert below: a = the layer below, b = current; a Type change: a = below, b = above.
int32_t mostSuitableUsage(int32_t a, int32_t b, bool rigidFlex);

// Whether a metal at zero-based index `index` may be Plating: the layer above
// is a metal and no layer below is a metal of another usage than Plating, or
// the layer below is a metal and no layer above is one.
bool platingAllowedAt(std::span<const LMLAYEREX> layers, std::size_t index);

// A Type change to `type` (metal or dielectric) of layer `index`: the layer
// starts again from the default layer of the usage that fits between its
// neighbours (a plain one of that type alone or where the fitting usage is of
// the other type), keeping only its loss tangent and drill-span field; a new
// metal other than Plating gets a colour no other layer has.
void restartLayerAsType(std::vector<LMLAYEREX>& layers, std::size_t index, int32_t type, bool rigidFlex);

// What the layer-kind rules found for one layer.
struct LayerKind {
    bool innerDielectric = false; // a rigid board's inner dielectric: Substrate only
    bool usageSet = false;        // ... whose usage was set to Substrate now
    bool technologyShown = false; // a dielectric whose usage has a technology (Prepreg when it had none)
    bool platingAllowed = false;  // a metal: whether it may be Plating here
    bool rewritten = false;       // a Plating metal where plating may not stand became a named Signal
};

// The rules of layer kinds over the first `count` layers, the last one first;
// with `lookOnly` they only report and change nothing. One entry per layer.
std::vector<LayerKind> applyLayerKindRules(std::vector<LMLAYEREX>& layers, std::size_t count, bool rigidFlex,
                                           bool lookOnly);

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
