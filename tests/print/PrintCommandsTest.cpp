#include "print/PrintCommands.h"

#include "HeadlessPlatform.h"
#include "PrintFixture.h"

#include <gtest/gtest.h>

namespace lm {
namespace {

using test::HeadlessPlatform;

TEST(PrintCommands, ACancelledDialogPrintsNothingAndAsksNoCalculator)
{
    test::FiveLayers five;
    test::CountingCalculator calculator;
    five.settings.z0Calculator = &calculator;
    HeadlessPlatform platform;
    platform.printDialogOk = false;
    printReportCommand(platform, five.settings, five.design, {});
    EXPECT_TRUE(platform.pageShown.has_value());
    EXPECT_TRUE(platform.prints.empty());
    EXPECT_EQ(calculator.stackupCalls, 0);
    EXPECT_TRUE(platform.messages.empty());
}

TEST(PrintCommands, TheReportAsksTheCalculatorOnceAndOnlyForTheZ0Column)
{
    test::FiveLayers five;
    test::CountingCalculator calculator;
    calculator.values = {60.04, 0, 0, 0, 0};
    five.settings.z0Calculator = &calculator;
    HeadlessPlatform platform;
    platform.pageAnswer = [](ReportDialogOptions& page) {
        page.layers = ReportDialogOptions::Range;
        page.rangeText = "1";
        page.printAs = 0;
    };
    printReportCommand(platform, five.settings, five.design, {});
    EXPECT_EQ(calculator.stackupCalls, 1);
    ASSERT_EQ(platform.printedDocuments, (std::vector<std::string>{"Stackup (Falcon)"}));
    const std::vector<std::string> texts = platform.prints.front().texts(0);
    EXPECT_EQ(texts.back(), "    Z0: 60 Ohm at trace width = 254 um");
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "Layer #2"), 0) << "only the range's layer";

    platform.pageAnswer = [](ReportDialogOptions& page) { page.columnChecked.back() = false; };
    printReportCommand(platform, five.settings, five.design, {});
    EXPECT_EQ(calculator.stackupCalls, 1) << "no Z0 column, no calculation";
}

TEST(PrintCommands, SelectionIsOfferedOnlyWithSelectedLayers)
{
    test::FiveLayers five;
    HeadlessPlatform platform;
    platform.printDialogOk = false;
    printReportCommand(platform, five.settings, five.design, {});
    EXPECT_FALSE(platform.pageShown->selectionEnabled);
    const int32_t selected[] = {2};
    printReportCommand(platform, five.settings, five.design, selected);
    EXPECT_TRUE(platform.pageShown->selectionEnabled);
}

TEST(PrintCommands, CopiesGoToTheClipboardAndAClosedClipboardEndsThemQuietly)
{
    test::FiveLayersPictured five;
    StackupPicture& picture = five.picture;
    HeadlessPlatform platform;
    copyPictureCommand(platform, picture, five.settings, five.design);
    copyDocumentationCommand(platform, five.settings, five.design);
    ASSERT_EQ(platform.copiedDrawings.size(), 2u);
    EXPECT_EQ(platform.copiedDrawings[0].format, DrawingFormat::Bitmap);
    EXPECT_EQ(platform.copiedDrawings[0].size.width, 400);
    EXPECT_EQ(platform.copiedDrawings[1].format, DrawingFormat::Vector);

    platform.clipboardOpens = false;
    copyPictureCommand(platform, picture, five.settings, five.design);
    copyDocumentationCommand(platform, five.settings, five.design);
    EXPECT_EQ(platform.copiedDrawings.size(), 2u);
    EXPECT_TRUE(platform.messages.empty());
}

TEST(PrintCommands, PrintPictureNamesTheDocumentAfterTheDesign)
{
    test::FiveLayersPictured five;
    StackupPicture& picture = five.picture;
    HeadlessPlatform platform;
    printPictureCommand(platform, picture, five.settings, five.design);
    EXPECT_EQ(platform.printedDocuments, (std::vector<std::string>{"Stackup (Falcon)"}));
    EXPECT_FALSE(platform.pageShown.has_value()) << "no options page for the picture";
    ASSERT_EQ(platform.prints.size(), 1u);
    EXPECT_EQ(platform.prints.front().screenPercents.size(), 1u);
}

} // namespace
} // namespace lm
