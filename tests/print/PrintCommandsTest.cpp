#include "print/PrintCommands.h"
#include "print/PrintOptions.h"

#include "HeadlessPlatform.h"
#include "PrintFixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

namespace lm {
namespace {

using Flags = std::vector<uint8_t>;

TEST(LayerRange, SelectsByNumberAndHyphenatedPairsClippedToTheBoard)
{
    // A range may be clipped to nothing; empty items select nothing; reading stops at the first non-digit.
    const std::pair<const char*, const char*> cases[] = {
        {"3-1, 7", "11100"}, {"0, 9", "00000"}, {"", "11111"},  {" \t ", "11111"}, {" 2 - 4 ,5", "01111"}, {"4-99", "00011"},
        {"7-9", "00000"},    {",,2,", "01000"}, {"2x", "01000"}, {"99999999999999999999", "00000"}, {"1-99999999999999999999", "111"}};
    for (const auto& [text, selected] : cases) {
        std::string flags;
        for (const uint8_t flag : parseLayerRange(text, static_cast<int32_t>(std::strlen(selected))))
            flags += char('0' + flag);
        EXPECT_EQ(flags, selected) << '"' << text << '"';
    }
}

TEST(ReportDialog, OpensOnTheWholeStackupAndAnswersWithTheChosenLayers)
{
    PrintOptions options;
    // The dialog on screen shows the rest of the opening state.
    ReportDialogOptions page = reportDialogOpening(options, false);
    ASSERT_EQ(page.columnTitles.size(), 12u);
    EXPECT_EQ(page.columnTitles[4], "Technology") << "the fixed order puts Technology before Er";

    page.layers = ReportDialogOptions::Range;
    page.rangeText = "2-3";
    page.printAs = 0;
    page.schematic = false;
    page.columnChecked[11] = false;
    takeReportDialog(options, page, 5, {});
    EXPECT_EQ(std::tuple(options.layers, options.asTable, options.schematic, options.printsColumn(14), options.printsColumn(3)),
              std::tuple(Flags{0, 1, 1, 0, 0}, false, false, false, true));

    const int32_t selected[] = {0, 4, 9};
    page.layers = ReportDialogOptions::Selection;
    page.printAs = 2; // any index past List prints a table
    takeReportDialog(options, page, 5, selected);
    EXPECT_EQ(std::tuple(options.layers, options.asTable), std::tuple(Flags{1, 0, 0, 0, 1}, true));
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
    EXPECT_EQ(std::tuple(platform.pageShown->selectionEnabled, platform.prints.size(), calculator.calls.size(),
                         platform.messages.size()),
              std::tuple(false, 0u, 0u, 0u));

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

TEST(PrintCommands, PicturePrintsUnderTheDesignsNameWithoutAnOptionsPage)
{
    test::FiveLayersPictured five;
    HeadlessPlatform platform;
    printPictureCommand(platform, five.picture, five.settings, five.design);
    // No options page for the picture. The copies' formats are the Qt printing tests'.
    EXPECT_EQ(std::tuple(platform.printedDocuments, platform.pageShown.has_value(), platform.prints.size()),
              std::tuple(std::vector<std::string>{"Stackup (Falcon)"}, false, 1u));
}

} // namespace
} // namespace lm
