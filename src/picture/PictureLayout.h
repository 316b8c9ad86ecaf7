#pragma once
// Where the stackup picture puts its slabs and labels for a client size and a
// font: pure arithmetic on the layer records, no drawing.
#include "picture/StackupPicture.h"

#include <span>

namespace lm {

// The height of a layer drawn at a fixed size, by usage; 0 for a usage the
// catalogue does not know.
int32_t fixedLayerHeight(int32_t usage);

struct PictureMetrics {
    int32_t averageCharWidth = 0;
    int32_t textHeight = 0;
};

// Lays the layers out for the client; an empty stackup gives the metrics and
// an empty stack. Proportional drawing of a stackup without thickness falls
// back to the fixed heights.
PictureLayout layoutPicture(std::span<const LMLAYEREX> layers, Size client, PictureMetrics metrics,
                            bool proportional);

// Highest scroll position for the layout's bar: the content's last page.
int32_t maxScrollPosition(const PictureLayout& layout);

} // namespace lm
