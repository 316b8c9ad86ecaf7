#include "print/PrintCommands.h"
#include "print/PrintOptions.h"

#include "HeadlessPlatform.h"
#include "PrintFixture.h"

#include <gtest/gtest.h>

namespace lm {
namespace {

using Flags = std::vector<uint8_t>;

TEST(LayerRange, SelectsByNumberAndHyphenatedPairsClippedToTheBoard)
{
    EXPECT_EQ(parseLayerRange("3-1, 7", 5), (Flags{1, 1, 1, 0, 0}));
    EXPECT_EQ(parseLayerRange("0, 9", 5), (Flags{0, 0, 0, 0, 0}));
    EXPECT_EQ(parseLayerRange("", 5), (Flags{1, 1, 1, 1, 1}));
    EXPECT_EQ(parseLayerRange(" \t ", 5), (Flags{1, 1, 1, 1, 1}));
    EXPECT_EQ(parseLayerRange(" 2 - 4 ,5", 5), (Flags{0, 1, 1, 1, 1}));
    EXPECT_EQ(parseLayerRange("4-99", 5), (Flags{0, 0, 0, 1, 1}));
    EXPECT_EQ(parseLayerRange("7-9", 5), (Flags{0, 0, 0, 0, 0})) << "a range clipped to nothing";
    EXPECT_EQ(parseLayerRange(",,2,", 5), (Flags{0, 1, 0, 0, 0})) << "empty items select nothing";
    EXPECT_EQ(parseLayerRange("2x", 5), (Flags{0, 1, 0, 0, 0})) << "reading stops at the first non-digit";
    EXPECT_EQ(parseLayerRange("99999999999999999999", 5), (Flags{0, 0, 0, 0, 0}));
    EXPECT_EQ(parseLayerRange("1-99999999999999999999", 3), (Flags{1, 1, 1}));
}

TEST(LayerRange, TypingKeepsADigitFirstAndOneHyphenPerItem)
{
    EXPECT_EQ(filterRangeText("a1-2-3, x4"), "1-23, 4");
    EXPECT_EQ(filterRangeText(",5"), "5");
    EXPECT_EQ(filterRangeText(" 5"), "5");
    EXPECT_EQ(filterRangeText("1,,2"), "1,2");
    EXPECT_EQ(filterRangeText("1 -2, 3-4"), "1 -2, 3-4");
    EXPECT_EQ(filterRangeText("1-,2"), "1-2") << "a comma needs a digit before it";
}

TEST(ReportDialog, OpensOnTheWholeStackupAndAnswersWithTheChosenLayers)
{
    PrintOptions options;
    // The dialog on screen shows the rest of the opening state.
    ReportDialogOptions page = reportDialogOpening(options, false);
    ASSERT_EQ(page.columnTitles.size(), 12u);
    EXPECT_EQ(page.columnTitles[4], "Technology") << "the fixed order puts Technology before Er";
    EXPECT_EQ(page.columnTitles.back(), "Z0");
    EXPECT_EQ(page.columnChecked, std::vector<bool>(12, true));

    page.layers = ReportDialogOptions::Range;
    page.rangeText = "2-3";
    page.printAs = 0;
    page.schematic = false;
    page.columnChecked[11] = false;
    takeReportDialog(options, page, 5, {});
    EXPECT_EQ(options.layers, (Flags{0, 1, 1, 0, 0}));
    EXPECT_FALSE(options.asTable);
    EXPECT_FALSE(options.schematic);
    EXPECT_FALSE(options.printsColumn(14));
    EXPECT_TRUE(options.printsColumn(3));

    const int32_t selected[] = {0, 4, 9};
    page.layers = ReportDialogOptions::Selection;
    page.printAs = 2; // any index past List prints a table
    takeReportDialog(options, page, 5, selected);
    EXPECT_EQ(options.layers, (Flags{1, 0, 0, 0, 1}));
    EXPECT_TRUE(options.asTable);
}

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
