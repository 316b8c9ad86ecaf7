#include "picture/PictureLayout.h"

#include "PictureFixture.h"
#include "RecordingCanvas.h"

#include <gtest/gtest.h>
#include "picture/PictureSlabs.h"
#include "picture/PictureLabels.h"

namespace lm {
namespace {

using test::PictureBoard;
using test::RecordingCanvas;

constexpr PictureMetrics kMetrics{7, 16};

TEST(PictureLayout, FixedHeightsOnA600By800Client)
{
    RecordingCanvas canvas;
    EXPECT_EQ(averageCharWidth(canvas), 7); // (364 / 26 + 1) / 2

    PictureBoard b({kSignal, kSubstrate, kSolidPlane});
    const PictureLayout l = layoutPicture(b.board.layers, {600, 800}, kMetrics, false);
    // Block, front (200 * 1000 / 1577 = 126.8, to the nearest), depth x and y, stack; labels at 6, 28, 50
    // reach 2 pixels above the top face (raised right labels): content 44 + 58 = 102 high, centred in 768
    // below one text height; no scrolling.
    EXPECT_EQ((std::vector<int32_t>{l.blockWidth, l.frontWidth, l.depthX, l.depthY, l.stackHeight, l.contentHeight,
                                    l.scrollMaximum, l.scrollPage}),
              (std::vector<int32_t>{200, 127, 73, 42, 56, 102, 0, 768}));
    EXPECT_EQ(l.layerHeight, (std::vector<int32_t>{12, 32, 12}));
    EXPECT_EQ(l.layerTop, (std::vector<int32_t>{393, 405, 437}));
    EXPECT_EQ((std::vector<Rect>{l.stack, l.leftLabels, l.rightLabels}),
              (std::vector<Rect>{{200, 393, 327, 449}, {7, 393, 193, 449}, {407, 393, 593, 449}}));
}

TEST(PictureLayout, ProportionalHeightsFollowTheThicknessRatio)
{
    PictureBoard b({kSignal, kSubstrate, kSolidPlane}, true);
    b.board.layers[1].dThickness = 1.5e-3;
    b.board.layers[0].dThickness = b.board.layers[2].dThickness = 35e-6;
    const PictureLayout layout = layoutPicture(b.board.layers, {600, 800}, kMetrics, true);
    EXPECT_EQ(layout.stackHeight, 558);  // 800 * 3 / 4 - 42
    EXPECT_EQ(layout.scale, 3554140);    // 10 * 558 / 1.57e-3, tenths of a pixel per metre
    EXPECT_EQ(layout.layerHeight, (std::vector<int32_t>{12, 533, 12}));
}


using test::CanvasCall;
using test::CanvasOp;

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

TEST(PictureSlabs, OuterSignalsCarryCoatingsOverTheirTracesALoneSignalDoesNot)
{
    const PictureBoard b({kSolderMask, kPlating, kSignal, kSubstrate, kSignal, kSolderMask});
    const Drawn drawn = drawBoard(b);
    // Two bare traces on each outer signal, one front for the core between.
    EXPECT_EQ((std::vector<std::size_t>{frontsOfLayer(drawn, b, 2), frontsOfLayer(drawn, b, 3),
                                        frontsOfLayer(drawn, b, 4)}),
              (std::vector<std::size_t>{2, 1, 2}));
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

    // A single signal between masks is an ordinary stack.
    const PictureBoard single({kSolderMask, kSignal, kSolderMask});
    const Drawn plain = drawBoard(single);
    // Traces and the dielectric around them in the signal's row, one front for each mask.
    EXPECT_EQ((std::vector<std::size_t>{frontsOfLayer(plain, single, 0), frontsOfLayer(plain, single, 1),
                                        frontsOfLayer(plain, single, 2)}),
              (std::vector<std::size_t>{1, 5, 1}));
    EXPECT_TRUE(std::all_of(plain.polygons.begin(), plain.polygons.end(),
                            [](const CanvasCall& c) { return c.points.size() == 4; }));
}


TEST(PictureLabels, PlacedFromTheMiddleOutwardsOneTextHeightApart)
{
    // Odd count: the middle label keeps its centre.
    EXPECT_EQ(placeLabels(std::vector<int32_t>{3, 9, 15, 21, 27}, 16), (std::vector<int32_t>{-17, -1, 15, 31, 47}));
    // Even count: the middle pair spreads symmetrically first.
    EXPECT_EQ(placeLabels(std::vector<int32_t>{0, 10, 20, 30}, 16), (std::vector<int32_t>{-9, 7, 23, 39}));
    // Labels far enough apart stay at their layers.
    EXPECT_EQ(placeLabels(std::vector<int32_t>{0, 40, 80}, 16), (std::vector<int32_t>{0, 40, 80}));
}

TEST(PictureLabels, ShortenedWithDotsOrDropped)
{
    RecordingCanvas canvas; // 7 pixels a character
    // "A..." is 28 wide; "..." alone is no label; a character of two bytes is never cut.
    EXPECT_EQ((std::vector<std::string>{shortenToFit("ABCDEFGHIJ", 70, canvas), shortenToFit("ABCDEFGHIJ", 69, canvas),
                                        shortenToFit("ABCDEFGHIJ", 48, canvas), shortenToFit("ABCDEFGHIJ", 27, canvas),
                                        shortenToFit("AB\xC3\xA9\xC3\xA9XYZ", 42, canvas)}),
              (std::vector<std::string>{"ABCDEFGHIJ", "ABCDEF...", "ABC...", "", "AB..."}));
}

TEST(PictureLabels, RightLabelByMode)
{
    PictureBoard b({kSignal, kSubstrate, kPlating});
    b.board.layers[1].dEr = 4.2;
    const auto label = [&](std::size_t i, int32_t mode, std::span<const double> z0 = {}) {
        return rightLabelText(b.settings, i, mode, z0);
    };
    EXPECT_EQ(std::pair(label(0, 0), label(1, 0)), std::pair(std::string("34 um"), std::string("254 um")));
    b.settings.metalThicknessAs = kThicknessAsWeight; // a copper ounce weighs 28.3 g
    EXPECT_EQ(std::pair(label(0, 0), label(1, 0)), std::pair(std::string("28 gram"), std::string("254 um")));

    const double values[] = {50.1234, 0.0, 0.0}, onlyOne[] = {50.0};
    EXPECT_EQ((std::vector<std::string>{label(0, 1), label(1, 1), label(0, 2), label(1, 2), label(0, 2, values),
                                        label(2, 2, values), label(0, 2, onlyOne), label(0, 3), label(0, -1)}),
              (std::vector<std::string>{"", "Er = 4.2", "Z0 = <N/A>", "", "Z0 = 50.1 ohm", "", "Z0 = <N/A>", "", ""}))
        << "plating carries no Z0; a missing array is no value";
    b.board.layers[2].nUsage = kSolidPlane;
    EXPECT_EQ(label(2, 2, values), "Z0 = <Error>");
    EXPECT_THROW(label(3, 0), LMInvalidArgument);
}

TEST(PictureLabels, DrawnApartWithLeaderLines)
{
    // Thin layers crowd their labels: none may come closer than a text height.
    PictureBoard b({kSolderMask, kPlating, kSignal, kPlating, kSolderMask, kSignal});
    setLayerName(b.board.layers[0], "A name far too long for the space left of the stack");
    StackupPicture picture(b.settings);
    RecordingCanvas canvas;
    picture.layout({300, 400}, canvas);
    picture.paint(canvas, 0);

    std::vector<int32_t> tops;
    for (const test::CanvasCall& call : canvas.ofKind(test::CanvasOp::Text))
        if (call.align == TextAlign::Left)
            tops.push_back(call.rect.top);
    ASSERT_EQ(tops.size(), 6u);
    for (std::size_t i = 1; i < tops.size(); ++i)
        EXPECT_GE(tops[i] - tops[i - 1], 16);

    const std::string first = canvas.texts().front();
    EXPECT_LE(int32_t(first.size()) * 7, picture.currentLayout().leftLabels.width());
    EXPECT_EQ(first.substr(first.size() - 3), "...");
    // Its leader starts 4 pixels past the text, never over it.
    const test::CanvasCall leader = canvas.ofKind(test::CanvasOp::Polyline).front();
    EXPECT_EQ(leader.points.front().x, picture.currentLayout().leftLabels.left + int32_t(first.size()) * 7 + 4);
    EXPECT_EQ(leader.points.back().x, picture.currentLayout().stack.left - 1);
}

} // namespace
} // namespace lm
