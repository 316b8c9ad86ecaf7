#pragma once
// The labels beside the stack: the layer's name on the left, a value chosen by
// the label mode on the right, each with a leader line to its layer.
#include "picture/StackupPicture.h"

#include <span>
#include <string>
#include <string_view>

namespace lm {

// Label centres from the layers' centres (top to bottom): from the middle layer
// outwards each label keeps its layer's centre unless that is closer than one
// text height to the label placed before it on its side.
std::vector<int32_t> placeLabels(std::span<const int32_t> centres, int32_t textHeight);

// The text as it fits `width` in the canvas's font: cut before "..." as far
// as needed; empty when nothing but the dots would remain.
std::string shortenToFit(std::string_view text, int32_t width, Canvas& canvas);

// The right label of layer `index` of the current board: 0 thickness, 1 Er of
// dielectrics, 2 Z0 of conductors (one value per layer, else not available),
// other modes none.
std::string rightLabelText(const LMEDITSETTINGS& settings, std::size_t index, int32_t mode,
                           std::span<const double> z0Values);

// Name left-aligned in the left rectangle, value right-aligned in the right one
// (raised by the depth), each shortened to fit and led to its layer by a line.
void drawLeftLabel(Canvas& canvas, const PictureLayout& layout, std::size_t index, std::string_view name);
// The sum of the current board's thicknesses in the current length unit, as
// "%.5g %s"; empty without a board. The picture pane and every printout show it.
std::string totalThicknessText(const LMEDITSETTINGS& settings);

void drawRightLabel(Canvas& canvas, const PictureLayout& layout, std::size_t index, std::string_view value);

} // namespace lm
