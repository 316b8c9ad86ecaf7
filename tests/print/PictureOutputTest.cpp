#include "print/PictureOutput.h"

#include "PrintFixture.h"

#include <gtest/gtest.h>

namespace lm {
namespace {

constexpr int32_t kText = RecordingCanvas::kTextHeight;

TEST(PictureOutput, PrintScaleIsTheSmallerWholeRoundedPercentage)
{
    EXPECT_EQ(picturePrintScale({1000, 5000}, 300, 100, kText), 333) << "333.3 rounds down";
    EXPECT_EQ(picturePrintScale({1000, 5000}, 600, 100, kText), 167) << "166.7 rounds up, not cut";
    EXPECT_EQ(picturePrintScale({4800, 1000}, 400, 368, kText), 250) << "the height decides: 1000 x 100 / 400";
    EXPECT_EQ(picturePrintScale({100, 100}, 10000, 10000, kText), 1) << "never nothing";
}

TEST(PictureOutput, PrintedPictureSitsOneTextHeightBelowItsCentredTitle)
{
    test::FiveLayersPictured five;
    RecordingPages pages({4000, 6000});
    printPicture(pages, five.picture, five.settings, five.design);

    ASSERT_EQ(pages.screenPercents, (std::vector<int32_t>{1000}));
    const RecordingCanvas& canvas = pages.screenCanvases.front();
    const std::vector<CanvasCall> texts = canvas.ofKind(CanvasOp::Text);
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.front().text, "Layer Stackup. Design: Falcon, Designer: Ada.");
    EXPECT_EQ(texts.front().align, TextAlign::Centre);
    EXPECT_EQ(texts.front().rect, (Rect{0, 0, 400, kText}));
    EXPECT_EQ(texts.back().text.rfind("Total thickness = ", 0), 0u);
    EXPECT_EQ(texts.back().rect.top, kText + 300) << "below the picture's client height";
    for (const CanvasCall& call : canvas.ofKind(CanvasOp::Rectangle))
        EXPECT_EQ(call.origin, (Point{0, kText}));
    EXPECT_TRUE(canvas.ofKind(CanvasOp::SetXor).empty() || !canvas.ofKind(CanvasOp::SetXor).back().xorOn);
}

TEST(PictureOutput, CopiedBitmapHasTwoTitleLinesAndTheTotalThreeTextHeightsAboveTheBottom)
{
    test::FiveLayers five;
    StackupPicture picture(five.settings);
    CopiedPicture copy(picture, {400, 300}, five.settings, five.design);
    RecordingCanvas canvas;
    const Size size = copy.measure(canvas);
    EXPECT_EQ(size, (Size{400, 300 + 3 * kText}));
    canvas.calls.clear();
    copy.draw(canvas);
    EXPECT_EQ(canvas.ofKind(CanvasOp::FillRect).front().rect, (Rect{0, 0, size.width, size.height}));
    const std::vector<CanvasCall> texts = canvas.ofKind(CanvasOp::Text);
    ASSERT_GE(texts.size(), 3u);
    EXPECT_EQ(texts[0].text, "Layer Stackup. Design: Falcon.");
    EXPECT_EQ(texts[1].text, "Rev B");
    EXPECT_EQ(texts[1].rect.top, kText);
    EXPECT_EQ(texts.back().rect.top, size.height - 3 * kText);

    // A picture too tall for its client copies all of it.
    test::PrintBoard tall{kSignal, kSubstrate, kSolidPlane, kSubstrate, kSignal, kSubstrate, kSolidPlane,
                          kSubstrate, kSignal, kSubstrate, kSolidPlane, kSubstrate, kSignal};
    tall.settings.drawProportionally = false;
    StackupPicture tallPicture(tall.settings);
    CopiedPicture tallCopy(tallPicture, {400, 60}, tall.settings, tall.design);
    RecordingCanvas measure;
    const Size tallSize = tallCopy.measure(measure);
    ASSERT_GT(tallPicture.currentLayout().scrollMaximum, 0);
    EXPECT_EQ(tallSize.height, tallPicture.currentLayout().contentHeight + 2 * kText + 3 * kText);
}

} // namespace
} // namespace lm
