#include "print/Documentation.h"

#include "PrintFixture.h"

#include <gtest/gtest.h>

namespace lm {
namespace {

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
    EXPECT_EQ(documentationLine(layerOf(kSplitPlane, 17.4, "PWR"), 0.0, settings), "17 um, PWR");
    EXPECT_EQ(documentationLine(layerOf(kPlating, 25, "Plating"), 0.0, settings), "25 um");
    EXPECT_EQ(documentationLine(layerOf(kSubstrate, 123.4, "Core"), 0.0, settings), "123 um, Er = 4.2");
    EXPECT_EQ(documentationLine(layerOf(kSolderMask, 20, "Mask"), 0.0, settings), "20 um, Er = 4.2");
    for (const int32_t usage : {kRigid, kFlexible, kAdhesive, kCoverLayer, kStiffener})
        EXPECT_EQ(documentationLine(layerOf(usage, 50, "Flex"), 0.0, settings), "50 um, Er = 4.2") << usage;
}

TEST(Documentation, ThreeCentredTitleLinesOverTheSchematicWithItsLines)
{
    test::FiveLayers five;
    Documentation drawing(five.settings, five.design, {55.0, 0, 0, 0, 0});
    RecordingCanvas canvas;
    const Size size = drawing.measure(canvas);
    canvas.calls.clear();
    drawing.draw(canvas);

    ASSERT_EQ(canvas.ofKind(CanvasOp::SetFont).front().font.pointSize, 8);
    const std::vector<CanvasCall> texts = canvas.ofKind(CanvasOp::Text);
    ASSERT_EQ(texts.size(), 3u + 5u);
    EXPECT_EQ(texts[0].text, "Layer Stackup");
    EXPECT_EQ(texts[1].text, "Design: Falcon, Designer: Ada.");
    EXPECT_EQ(texts[2].text, "Rev B");
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(texts[k].align, TextAlign::Centre);
        EXPECT_EQ(texts[k].rect.left, 0);
        EXPECT_EQ(texts[k].rect.right, size.width) << "centred over the whole drawing";
    }
    EXPECT_NE(texts[3].text.find("Z0 = 55 ohms"), std::string::npos);
    for (const CanvasCall& text : texts)
        EXPECT_LE(text.rect.left + RecordingCanvas::kCharWidth * static_cast<int32_t>(text.text.size()), size.width)
            << text.text;
    EXPECT_LE(texts.back().rect.bottom, size.height);

    // Metal in red back-diagonal hatch, dielectrics not.
    bool hatchedMetal = false;
    for (const CanvasCall& call : canvas.ofKind(CanvasOp::Rectangle))
        hatchedMetal = hatchedMetal || (call.brush.style == BrushStyle::BackDiagonal && call.brush.colour == 0x0000FFu);
    EXPECT_TRUE(hatchedMetal);
}

} // namespace
} // namespace lm
