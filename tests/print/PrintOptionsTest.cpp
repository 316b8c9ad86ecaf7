#include "print/PrintOptions.h"

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
    ReportDialogOptions page = reportDialogOpening(options, false);
    ASSERT_EQ(page.columnTitles.size(), 12u);
    EXPECT_EQ(page.columnTitles.front(), "Layer Name");
    EXPECT_EQ(page.columnTitles[4], "Technology") << "the fixed order puts Technology before Er";
    EXPECT_EQ(page.columnTitles.back(), "Z0");
    EXPECT_EQ(page.columnChecked, std::vector<bool>(12, true));
    EXPECT_EQ(page.layers, ReportDialogOptions::Whole);
    EXPECT_FALSE(page.selectionEnabled);
    EXPECT_EQ(page.printAs, 1);
    EXPECT_TRUE(reportDialogOpening(options, true).selectionEnabled);

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

} // namespace
} // namespace lm
