#include "picture/PictureLayout.h"

#include "model/LayerRecord.h"
#include "picture/PictureLabels.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace lm {
namespace {

int32_t fixedStackHeight(std::span<const LMLAYEREX> layers)
{
    int64_t sum = 0;
    for (const LMLAYEREX& layer : layers)
        sum += fixedLayerHeight(layer.nUsage);
    return static_cast<int32_t>(sum);
}

double totalThickness(std::span<const LMLAYEREX> layers)
{
    double total = 0.0;
    for (const LMLAYEREX& layer : layers)
        total += layer.dThickness;
    return total;
}

int32_t truncatedPixels(double value)
{
    if (!(value > 0.0)) // also NaN
        return 0;
    if (value >= static_cast<double>(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(value);
}

// Proportional heights. Thicknesses are metres, so the scale is tenths of a
// pixel per metre: scale = 10 * stack height / total, truncated, and a layer
// is scale * thickness / 10 pixels, truncated. Only the ratio thickness/total
// matters; the unit of the sum cancels out. A stack thinner than about 10 um
// would overflow the scale; it is held at the largest integer then.
void proportionalHeights(std::span<const LMLAYEREX> layers, double total, PictureLayout& out)
{
    out.scale = truncatedPixels(10.0 * out.stackHeight / total);
    // No layer is taller than the stack, whatever a host's negative thickness does to the sum.
    const int32_t tallest = std::max(out.stackHeight, 0);
    for (const LMLAYEREX& layer : layers)
        out.layerHeight.push_back(std::min(truncatedPixels(out.scale * layer.dThickness / 10.0), tallest));
}

} // namespace

int32_t fixedLayerHeight(int32_t usage)
{
    switch (usage) {
    case kSignal:
    case kSolidPlane:
    case kSplitPlane:
    case kFloodedSignal: return 12;
    case kPlating:
    case kSolderMask:
    case kCoverLayer:
    case kStiffener: return 6;
    case kSubstrate:
    case kRigid:
    case kFlexible:
    case kAdhesive: return 32;
    default: return 0;
    }
}

PictureLayout layoutPicture(std::span<const LMLAYEREX> layers, Size client, PictureMetrics metrics,
                            bool proportional)
{
    PictureLayout out;
    const int32_t width = std::max(client.width, 0);
    const int32_t height = std::max(client.height, 0);
    const int32_t th = metrics.textHeight;
    out.averageCharWidth = metrics.averageCharWidth;
    out.textHeight = th;
    const int32_t available = std::max(height - 2 * th, 0);
    out.scrollPage = available;
    if (layers.empty())
        return out;

    out.blockWidth = width / 3;
    out.frontWidth = (out.blockWidth * 1000 + 1577 / 2) / 1577;
    out.depthX = out.blockWidth - out.frontWidth;
    out.depthY = out.frontWidth / 3;

    const double total = totalThickness(layers);
    out.layerHeight.reserve(layers.size());
    if (proportional && total > 0.0 && std::isfinite(total)) {
        out.stackHeight = height * 3 / 4 - out.depthY;
        proportionalHeights(layers, total, out);
    } else {
        out.stackHeight = fixedStackHeight(layers);
        for (const LMLAYEREX& layer : layers)
            out.layerHeight.push_back(fixedLayerHeight(layer.nUsage));
    }

    // Relative to the top of the first layer's front face.
    std::vector<int32_t> centres;
    centres.reserve(layers.size());
    out.layerTop.reserve(layers.size());
    int32_t drawn = 0;
    for (const int32_t h : out.layerHeight) {
        out.layerTop.push_back(drawn);
        centres.push_back(drawn + h / 2);
        drawn += h;
    }
    out.labelCentre = placeLabels(centres, th);

    // The top face rises depthY above the stack, and so do the right labels.
    const auto [lowest, highest] = std::minmax_element(out.labelCentre.begin(), out.labelCentre.end());
    const int32_t extentTop = std::min(-out.depthY, *lowest - th / 2 - out.depthY);
    const int32_t extentBottom = std::max(drawn, *highest - th / 2 + th);
    out.contentHeight = extentBottom - extentTop;

    int32_t stackTop = th - extentTop;
    if (out.contentHeight < available)
        stackTop += (available - out.contentHeight) / 2;
    const int32_t stackLeft = (width - out.blockWidth) / 2;
    const int32_t acw = out.averageCharWidth;
    out.stack = {stackLeft, stackTop, stackLeft + out.frontWidth, stackTop + drawn};
    out.leftLabels = {acw, stackTop, stackLeft - acw, stackTop + drawn};
    out.rightLabels = {stackLeft + out.blockWidth + acw, stackTop, width - acw, stackTop + drawn};
    for (int32_t& top : out.layerTop)
        top += stackTop;
    for (int32_t& centre : out.labelCentre)
        centre += stackTop;

    out.scrollMaximum = out.contentHeight > available ? out.contentHeight : 0;
    return out;
}

int32_t maxScrollPosition(const PictureLayout& layout)
{
    if (layout.scrollMaximum <= 0)
        return 0;
    return std::max(layout.scrollMaximum - layout.scrollPage + 1, 0);
}

} // namespace lm
