#pragma once
// The slabs of the stack: colours, the pattern of each usage, and the coatings
// that follow the traces of an outer signal layer.
#include "picture/StackupPicture.h"

#include <span>

namespace lm {

struct SlabColours {
    uint32_t fill = 0; // front face
    uint32_t edge = 0; // right and top faces
    bool operator==(const SlabColours&) const = default;
};

// Dielectric fill between traces and in the gaps of split planes.
SlabColours dielectricColours();
// Air, dielectric, plating, or the metal's own colour when layer colours are in use.
SlabColours slabColours(const LMLAYEREX& layer, bool useLayerColours);

// The outer signal layer of each side, -1 where there is none: the lowest
// (highest) signal layer when only plating and solder mask lie beyond it, no
// plating outside a solder mask. One layer picked by both sides is neither.
struct OuterSignals {
    int32_t top = -1;
    int32_t bottom = -1;
};
OuterSignals findOuterSignals(std::span<const LMLAYEREX> layers);

// The whole stack, from the outside inwards.
void drawStack(Canvas& canvas, std::span<const LMLAYEREX> layers, const PictureLayout& layout, bool useLayerColours);

} // namespace lm
