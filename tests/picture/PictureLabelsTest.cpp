#include "picture/PictureLabels.h"

#include "PictureFixture.h"
#include "RecordingCanvas.h"

#include <gtest/gtest.h>

namespace lm {
namespace {

using test::PictureBoard;
using test::RecordingCanvas;

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
    EXPECT_EQ(shortenToFit("ABCDEFGHIJ", 70, canvas), "ABCDEFGHIJ");
    EXPECT_EQ(shortenToFit("ABCDEFGHIJ", 69, canvas), "ABCDEF...");
    EXPECT_EQ(shortenToFit("ABCDEFGHIJ", 48, canvas), "ABC...");
    EXPECT_EQ(shortenToFit("ABCDEFGHIJ", 27, canvas), ""); // "A..." is 28 wide; "..." alone is no label
    EXPECT_EQ(shortenToFit("AB\xC3\xA9\xC3\xA9XYZ", 42, canvas), "AB...");
}

TEST(PictureLabels, RightLabelByMode)
{
    PictureBoard b({kSignal, kSubstrate, kPlating});
    b.board.layers[1].dEr = 4.2;
    const auto label = [&](std::size_t i, int32_t mode, std::span<const double> z0 = {}) {
        return rightLabelText(b.settings, i, mode, z0);
    };
    EXPECT_EQ(label(0, 0), "34 um");
    EXPECT_EQ(label(1, 0), "254 um");
    b.settings.metalThicknessAs = kThicknessAsWeight; // a copper ounce weighs 28.3 g
    EXPECT_EQ(label(0, 0), "28 gram");
    EXPECT_EQ(label(1, 0), "254 um");

    EXPECT_EQ(label(0, 1), "");
    EXPECT_EQ(label(1, 1), "Er = 4.2");

    EXPECT_EQ(label(0, 2), "Z0 = <N/A>");
    EXPECT_EQ(label(1, 2), "");
    const double values[] = {50.1234, 0.0, 0.0};
    EXPECT_EQ(label(0, 2, values), "Z0 = 50.1 ohm");
    EXPECT_EQ(label(2, 2, values), ""); // plating carries no Z0
    const double onlyOne[] = {50.0};
    EXPECT_EQ(label(0, 2, onlyOne), "Z0 = <N/A>");
    b.board.layers[2].nUsage = kSolidPlane;
    EXPECT_EQ(label(2, 2, values), "Z0 = <Error>");

    EXPECT_EQ(label(0, 3), "");
    EXPECT_EQ(label(0, -1), "");
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
