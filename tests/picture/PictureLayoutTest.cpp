#include "picture/PictureLayout.h"

#include "PictureFixture.h"
#include "RecordingCanvas.h"

#include <gtest/gtest.h>

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
    const PictureLayout layout = layoutPicture(b.board.layers, {600, 800}, kMetrics, false);
    EXPECT_EQ(layout.blockWidth, 200);
    EXPECT_EQ(layout.frontWidth, 127); // 200 * 1000 / 1577 = 126.8, to the nearest
    EXPECT_EQ(layout.depthX, 73);
    EXPECT_EQ(layout.depthY, 42);
    EXPECT_EQ(layout.stackHeight, 56);
    EXPECT_EQ(layout.layerHeight, (std::vector<int32_t>{12, 32, 12}));
    // Labels at 6, 28, 50 reach 2 pixels above the top face (raised right labels):
    // content 44 + 58 = 102 high, centred in 768 below one text height.
    EXPECT_EQ(layout.contentHeight, 102);
    EXPECT_EQ(layout.stack, (Rect{200, 393, 327, 449}));
    EXPECT_EQ(layout.layerTop, (std::vector<int32_t>{393, 405, 437}));
    EXPECT_EQ(layout.leftLabels, (Rect{7, 393, 193, 449}));
    EXPECT_EQ(layout.rightLabels, (Rect{407, 393, 593, 449}));
    EXPECT_EQ(layout.scrollMaximum, 0);
    EXPECT_EQ(layout.scrollPage, 768);
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

TEST(PictureLayout, FixedHeightByUsageAndNothingForAnUnknownOne)
{
    PictureBoard b({kSignal, kSolidPlane, kSplitPlane, kFloodedSignal, kPlating, kSubstrate, kSolderMask, kRigid,
                    kFlexible, kAdhesive, kCoverLayer, kStiffener, 12, -1});
    const PictureLayout layout = layoutPicture(b.board.layers, {600, 800}, kMetrics, false);
    EXPECT_EQ(layout.layerHeight, (std::vector<int32_t>{12, 12, 12, 12, 6, 32, 6, 32, 32, 32, 6, 6, 0, 0}));
}

} // namespace
} // namespace lm
