#include "print/PrintCommands.h"

#include "HeadlessPlatform.h"
#include "PrintFixture.h"

#include <gtest/gtest.h>

namespace lm {
namespace {

using test::HeadlessPlatform;

TEST(PrintCommands, ACancelledDialogPrintsNothingAndOffersSelectionOnlyWithSelectedLayers)
{
    test::FiveLayers five;
    test::ScriptedZ0Calculator calculator;
    five.settings.z0Calculator = &calculator;
    HeadlessPlatform platform;
    platform.printDialogOk = false;
    printReportCommand(platform, five.settings, five.design, {});
    ASSERT_TRUE(platform.pageShown.has_value());
    EXPECT_FALSE(platform.pageShown->selectionEnabled);
    EXPECT_TRUE(platform.prints.empty());
    EXPECT_TRUE(calculator.calls.empty());
    EXPECT_TRUE(platform.messages.empty());

    const int32_t selected[] = {2};
    printReportCommand(platform, five.settings, five.design, selected);
    EXPECT_TRUE(platform.pageShown->selectionEnabled);
}

TEST(PrintCommands, TheReportAsksTheCalculatorOnceAndOnlyForTheZ0Column)
{
    test::FiveLayers five;
    test::ScriptedZ0Calculator calculator;
    calculator.z0 = {60.04, 0, 0, 0, 0};
    five.settings.z0Calculator = &calculator;
    HeadlessPlatform platform;
    platform.pageAnswer = [](ReportDialogOptions& page) {
        page.layers = ReportDialogOptions::Range;
        page.rangeText = "1";
        page.printAs = 0;
    };
    printReportCommand(platform, five.settings, five.design, {});
    EXPECT_EQ(calculator.calls.size(), 1u);
    ASSERT_EQ(platform.printedDocuments, (std::vector<std::string>{"Stackup (Falcon)"}));
    const std::vector<std::string> texts = platform.prints.front().texts(0);
    EXPECT_EQ(texts.back(), "    Z0: 60 Ohm at trace width = 254 um");
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "Layer #2"), 0) << "only the range's layer";

    platform.pageAnswer = [](ReportDialogOptions& page) { page.columnChecked.back() = false; };
    printReportCommand(platform, five.settings, five.design, {});
    EXPECT_EQ(calculator.calls.size(), 1u) << "no Z0 column, no calculation";
}

TEST(PrintCommands, PictureCopiesAndPrintsUnderTheDesignsNameAndAClosedClipboardEndsCopiesQuietly)
{
    test::FiveLayersPictured five;
    HeadlessPlatform platform;
    printPictureCommand(platform, five.picture, five.settings, five.design);
    EXPECT_EQ(platform.printedDocuments, (std::vector<std::string>{"Stackup (Falcon)"}));
    EXPECT_FALSE(platform.pageShown.has_value()) << "no options page for the picture";
    ASSERT_EQ(platform.prints.size(), 1u);
    EXPECT_EQ(platform.prints.front().screenPercents.size(), 1u);

    copyPictureCommand(platform, five.picture, five.settings, five.design);
    copyDocumentationCommand(platform, five.settings, five.design);
    ASSERT_EQ(platform.copiedDrawings.size(), 2u);
    EXPECT_EQ(platform.copiedDrawings[0].format, DrawingFormat::Bitmap);
    EXPECT_EQ(platform.copiedDrawings[1].format, DrawingFormat::Vector);
    platform.clipboardOpens = false;
    copyPictureCommand(platform, five.picture, five.settings, five.design);
    copyDocumentationCommand(platform, five.settings, five.design);
    EXPECT_EQ(platform.copiedDrawings.size(), 2u);
    EXPECT_TRUE(platform.messages.empty());
}

} // namespace
} // namespace lm
