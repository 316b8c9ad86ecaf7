#include "picture/PictureLabels.h"
#include "picture/PictureLayout.h"
#include "picture/PictureSlabs.h"

#include "PictureFixture.h"
#include "RecordingCanvas.h"

#include <gtest/gtest.h>

namespace lm {
namespace {

using test::PictureBoard;
using test::RecordingCanvas;

constexpr PictureMetrics kMetrics{7, 16};

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

// The faces and coatings drawn for a board laid out in a 600 x 800 client.
std::vector<test::CanvasCall> polygonsOf(const PictureBoard& b)
{
    RecordingCanvas canvas;
    drawStack(canvas, b.board.layers, layoutPicture(b.board.layers, {600, 800}, kMetrics, false), false);
    return canvas.ofKind(test::CanvasOp::Polygon);
}

TEST(PictureSlabs, OuterSignalsCarryCoatingsOverTheirTracesALoneSignalDoesNot)
{
    // Three coatings (mask, plating, mask) follow the traces: outlines with steps, not boxes.
    const auto coated = polygonsOf(PictureBoard({kSolderMask, kPlating, kSignal, kSubstrate, kSignal, kSolderMask}));
    EXPECT_EQ(std::count_if(coated.begin(), coated.end(), [](const auto& c) { return c.points.size() > 4; }), 3);
    // A single signal between masks is an ordinary stack.
    const auto plain = polygonsOf(PictureBoard({kSolderMask, kSignal, kSolderMask}));
    EXPECT_TRUE(std::all_of(plain.begin(), plain.end(), [](const auto& c) { return c.points.size() == 4; }));
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
    // A character of two bytes is never cut.
    EXPECT_EQ((std::vector<std::string>{shortenToFit("ABCDEFGHIJ", 70, canvas), shortenToFit("ABCDEFGHIJ", 69, canvas),
                                        shortenToFit("AB\xC3\xA9\xC3\xA9XYZ", 42, canvas)}),
              (std::vector<std::string>{"ABCDEFGHIJ", "ABCDEF...", "AB..."}));
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

} // namespace
} // namespace lm
