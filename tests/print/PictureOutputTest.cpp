#include "print/Documentation.h"
#include "print/PictureOutput.h"

#include "PrintFixture.h"

#include <gtest/gtest.h>

#include <tuple>

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

TEST(PictureOutput, CopiedBitmapHasTwoTitleLinesAndTheTotalThreeTextHeightsAboveTheBottom)
{
    test::FiveLayers five;
    StackupPicture picture(five.settings);
    CopiedPicture copy(picture, {400, 300}, five.settings, five.design);
    RecordingCanvas canvas;
    const Size size = copy.measure(canvas);
    canvas.calls.clear();
    copy.draw(canvas);
    const std::vector<CanvasCall> texts = canvas.ofKind(CanvasOp::Text);
    ASSERT_GE(texts.size(), 3u);
    EXPECT_EQ(std::tuple(texts[0].text, texts[1].text, texts[1].rect.top, texts.back().rect.top),
              std::tuple("Layer Stackup. Design: Falcon.", "Rev B", kText, size.height - 3 * kText));

    // A picture too tall for its client copies all of it.
    test::PrintBoard tall{kSignal, kSubstrate, kSolidPlane, kSubstrate, kSignal, kSubstrate, kSolidPlane,
                          kSubstrate, kSignal, kSubstrate, kSolidPlane, kSubstrate, kSignal};
    tall.settings.drawProportionally = false;
    StackupPicture tallPicture(tall.settings);
    CopiedPicture tallCopy(tallPicture, {400, 60}, tall.settings, tall.design);
    const int32_t tallHeight = tallCopy.measure(canvas).height;
    ASSERT_GT(tallPicture.currentLayout().scrollMaximum, 0);
    EXPECT_EQ(tallHeight, tallPicture.currentLayout().contentHeight + 2 * kText + 3 * kText);
}

LMLAYEREX layerOf(int32_t usage, double thicknessUm, const char* name)
{
    LMLAYEREX layer = defaultLayer(usage);
    layer.dThickness = thicknessUm * 1e-6;
    layer.dTestWidth = 100e-6;
    layer.dEr = 4.2;
    setLayerName(layer, name);
    return layer;
}

TEST(Documentation, EachUsageHasItsDescriptionLine)
{
    LMEDITSETTINGS settings; // metric: thicknesses shown in whole micrometres
    EXPECT_EQ(documentationLine(layerOf(kSignal, 35, "Top"), 0.0, settings), "35 um, Top");
    EXPECT_EQ(documentationLine(layerOf(kSignal, 35, "Top"), 50.04, settings),
              "35 um, Top, Z0 = 50 ohms, width = 100 um");
    EXPECT_EQ(documentationLine(layerOf(kFloodedSignal, 35, "Pour"), 49.96, settings),
              "35 um, Pour, Z0 = 50 ohms, width = 100 um") << "described as the signal layer it is";
    EXPECT_EQ(documentationLine(layerOf(kSolidPlane, 17.4, "GND"), 50.0, settings), "17 um, GND");
    EXPECT_EQ(documentationLine(layerOf(kPlating, 25, "Plating"), 0.0, settings), "25 um");
    EXPECT_EQ(documentationLine(layerOf(kSubstrate, 123.4, "Core"), 0.0, settings), "123 um, Er = 4.2");
    for (const int32_t usage : {kSolderMask, kRigid, kFlexible, kAdhesive, kCoverLayer, kStiffener})
        EXPECT_EQ(documentationLine(layerOf(usage, 50, "Flex"), 0.0, settings), "50 um, Er = 4.2") << usage;
}

TEST(Documentation, CentredTitleLinesOverTheSchematicWithItsLinesAllInside)
{
    test::FiveLayers five;
    Documentation drawing(five.settings, five.design, {55.0, 0, 0, 0, 0});
    RecordingCanvas canvas;
    const Size size = drawing.measure(canvas);
    canvas.calls.clear();
    drawing.draw(canvas);
    const std::vector<CanvasCall> texts = canvas.ofKind(CanvasOp::Text);
    ASSERT_EQ(texts.size(), 3u + 5u);
    EXPECT_EQ(std::tuple(texts[1].text, texts[1].align),
              std::tuple("Design: Falcon, Designer: Ada.", TextAlign::Centre));
    for (const CanvasCall& text : texts)
        EXPECT_LE(text.rect.left + RecordingCanvas::kCharWidth * static_cast<int32_t>(text.text.size()), size.width)
            << text.text;
    EXPECT_LE(texts.back().rect.bottom, size.height);
}

} // namespace
} // namespace lm
