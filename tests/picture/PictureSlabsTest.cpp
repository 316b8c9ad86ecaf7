#include "picture/PictureSlabs.h"

#include "PictureFixture.h"
#include "RecordingCanvas.h"
#include "picture/PictureLayout.h"

#include <gtest/gtest.h>

namespace lm {
namespace {

using test::CanvasCall;
using test::CanvasOp;
using test::PictureBoard;
using test::RecordingCanvas;

// Top and bottom outer signal layers.
std::pair<int32_t, int32_t> outerOf(std::initializer_list<int32_t> usages)
{
    const OuterSignals outer = findOuterSignals(PictureBoard(usages).board.layers);
    return {outer.top, outer.bottom};
}

TEST(PictureSlabs, OuterSignalLayers)
{
    EXPECT_EQ(outerOf({kSolderMask, kSignal, kSubstrate, kSignal, kSolderMask}), std::pair(1, 3));
    // Plating under the mask is a coating; over it, it is not.
    EXPECT_EQ(outerOf({kSolderMask, kPlating, kSignal, kSubstrate, kSolidPlane}), std::pair(2, -1));
    EXPECT_EQ(outerOf({kPlating, kSolderMask, kSignal, kSubstrate, kSignal}), std::pair(-1, 4));
    // One signal between two masks is picked by both sides, so by neither.
    EXPECT_EQ(outerOf({kSolderMask, kSignal, kSolderMask}), std::pair(-1, -1));
}

struct Drawn {
    std::vector<CanvasCall> fronts;   // fillRect
    std::vector<CanvasCall> polygons; // faces and coatings
};

Drawn drawBoard(const PictureBoard& b)
{
    const PictureLayout layout = layoutPicture(b.board.layers, {600, 800}, {7, 16}, false);
    RecordingCanvas canvas;
    drawStack(canvas, b.board.layers, layout, false);
    return {canvas.ofKind(CanvasOp::FillRect), canvas.ofKind(CanvasOp::Polygon)};
}

std::size_t frontsOfLayer(const Drawn& drawn, const PictureBoard& b, std::size_t layer)
{
    const PictureLayout layout = layoutPicture(b.board.layers, {600, 800}, {7, 16}, false);
    return static_cast<std::size_t>(std::count_if(drawn.fronts.begin(), drawn.fronts.end(), [&](const CanvasCall& c) {
        return c.rect.top == layout.layerTop[layer] && c.rect.height() == layout.layerHeight[layer];
    }));
}

TEST(PictureSlabs, OuterSignalsCarryCoatingsOverTheirTraces)
{
    const PictureBoard b({kSolderMask, kPlating, kSignal, kSubstrate, kSignal, kSolderMask});
    const Drawn drawn = drawBoard(b);
    EXPECT_EQ(frontsOfLayer(drawn, b, 2), 2u); // two bare traces
    EXPECT_EQ(frontsOfLayer(drawn, b, 4), 2u);
    EXPECT_EQ(frontsOfLayer(drawn, b, 3), 1u);
    // Three coatings follow the traces: outlines with steps, not boxes.
    const auto coatings = std::count_if(drawn.polygons.begin(), drawn.polygons.end(),
                                        [](const CanvasCall& c) { return c.points.size() > 4; });
    EXPECT_EQ(coatings, 3);
    // The yellow plating coating rises over the traces: its top edge has two heights.
    const auto plating = std::find_if(drawn.polygons.begin(), drawn.polygons.end(), [](const CanvasCall& c) {
        return c.points.size() > 4 && c.brush.colour == rgb(255, 255, 0);
    });
    ASSERT_NE(plating, drawn.polygons.end());
    const auto [high, low] = std::minmax_element(plating->points.begin(), plating->points.end(),
                                                 [](Point a, Point p) { return a.y < p.y; });
    EXPECT_EQ(low->y - high->y, 6 + 12); // its own height and the trace height
}

TEST(PictureSlabs, SingleSignalBetweenMasksIsAnOrdinaryStack)
{
    const PictureBoard b({kSolderMask, kSignal, kSolderMask});
    const Drawn drawn = drawBoard(b);
    EXPECT_EQ(frontsOfLayer(drawn, b, 1), 5u); // traces and the dielectric around them
    EXPECT_EQ(frontsOfLayer(drawn, b, 0), 1u);
    EXPECT_EQ(frontsOfLayer(drawn, b, 2), 1u);
    EXPECT_TRUE(std::all_of(drawn.polygons.begin(), drawn.polygons.end(),
                            [](const CanvasCall& c) { return c.points.size() == 4; }));
}

} // namespace
} // namespace lm
