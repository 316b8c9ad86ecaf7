#include "print/LayerReport.h"

#include "PrintFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

namespace lm {
namespace {

constexpr int32_t kLine = RecordingCanvas::kTextHeight * 3 / 2;

PrintOptions allLayers(std::size_t count, bool table)
{
    PrintOptions options;
    options.asTable = table;
    options.schematic = false;
    options.layers.assign(count, 1);
    options.z0.assign(count, 0.0);
    return options;
}

// The column whose header starts with `first`; an empty column when there is none.
PRNCOLUMN columnOf(const std::vector<PRNCOLUMN>& columns, const std::string& first)
{
    for (const PRNCOLUMN& column : columns)
        if (column.header.front() == first)
            return column;
    return {};
}

TEST(LayerReport, HeaderNamesTheDesignTheLayerCountAndTheTotalThickness)
{
    test::FiveLayers five;
    RecordingPages pages;
    printLayerReport(pages, five.settings, allLayers(5, false), five.design);
    const std::vector<CanvasCall> texts = pages.pages[0].ofKind(CanvasOp::Text);
    ASSERT_GE(texts.size(), 3u);
    EXPECT_EQ((std::vector<std::string>{texts[0].text, texts[1].text, texts[2].text.substr(0, 18)}),
              (std::vector<std::string>{"Layer Stackup. Design: Falcon, Designer: Ada.", "Number of layers: 5",
                                        "Total thickness = "}));
}

TEST(LayerReport, CellsShowWhatTheGridShowsAndNothingWhereTheColumnDoesNotApply)
{
    test::FiveLayers five;
    PrintOptions options = allLayers(5, true);
    options.layers = {1, 1, 0, 0, 0};
    const std::vector<PRNCOLUMN> columns = tableColumns(five.settings, options);
    EXPECT_EQ(columns[0].cells, (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(columnOf(columns, "Metal").cells, (std::vector<std::string>{"Copper", ""}));
    const std::vector<std::string> technology = columnOf(columns, "Technology").cells;
    EXPECT_EQ(std::tuple(technology.size(), technology.at(0), technology.at(1).empty()), std::tuple(2u, "", false));
}

TEST(LayerReport, ATableTooWideContinuesOnTheNextPageAtTheLeftMarginWithTheNextColumn)
{
    test::FiveLayers five;
    RecordingPages pages({330, 2000});
    PrintOptions options = allLayers(5, true);
    options.schematic = true;
    printLayerReport(pages, five.settings, options, five.design);
    ASSERT_GE(pages.pages.size(), 3u);
    // Every column exactly once, in order, across the pages: the first header line of each column is the
    // one at the top of the page. The rules stay inside the page; the schematic is not repeated.
    std::vector<std::string> titlesInOrder;
    for (std::size_t p = 0; p < pages.pages.size(); ++p) {
        for (const CanvasCall& line : pages.pages[p].ofKind(CanvasOp::Line))
            EXPECT_TRUE(std::min(line.points[0].x, line.points[1].x) >= 0 &&
                        std::max(line.points[0].x, line.points[1].x) <= 330) << "a rule outside page " << p;
        EXPECT_TRUE(p == 0 || pages.pages[p].ofKind(CanvasOp::Rectangle).empty()) << "schematic again on page " << p;
        for (const CanvasCall& text : pages.pages[p].ofKind(CanvasOp::Text))
            if (text.rect.top == (p == 0 ? 5 * kLine + 6 * kLine : 0))
                titlesInOrder.push_back(text.text);
    }
    EXPECT_EQ(titlesInOrder, (std::vector<std::string>{"NN", "Layer", "Type", "Usage", "Thickness", "Technology",
                                                       "Er", "Metal", "Bulk R", "T coef", "Loss", "Test", "Z0"}));
}

TEST(LayerReport, AListBreaksBeforeALineWouldReachTheBottomAndLosesNoLine)
{
    test::FiveLayers five;
    const int32_t height = 10 * kLine + 5;
    RecordingPages pages({800, height});
    printLayerReport(pages, five.settings, allLayers(5, false), five.design);
    ASSERT_GE(pages.pages.size(), 3u);
    std::size_t lines = 0, expected = 3;
    for (const RecordingCanvas& page : pages.pages)
        for (const CanvasCall& text : page.ofKind(CanvasOp::Text)) {
            EXPECT_LT(text.rect.top + kLine, height) << text.text;
            ++lines;
        }
    for (std::size_t i = 0; i < 5; ++i)
        expected += listLines(five.board.layers[i], i, five.settings, allLayers(5, false)).size();
    EXPECT_EQ(lines, expected);
}

TEST(LayerReport, WithoutACalculatorEveryApplicableZ0ReadsNotAvailable)
{
    test::FiveLayers five;
    const PrintOptions options = allLayers(5, false);
    const std::vector<std::string> signal = listLines(five.board.layers[0], 0, five.settings, options);
    EXPECT_EQ(std::tuple(signal.front(), signal.back()), std::tuple("Layer #1", "    Z0: <N/A> Ohm at trace width = 254 um"));
    const std::vector<PRNCOLUMN> columns = tableColumns(five.settings, allLayers(5, true));
    EXPECT_EQ(std::tuple(columns.back().header.front(), columns.back().cells),
              std::tuple("Z0", std::vector<std::string>{"<N/A>", "", "<N/A>", "", "<N/A>"}));

    test::ScriptedZ0Calculator calculator;
    five.settings.z0Calculator = &calculator;
    PrintOptions computed = allLayers(5, true);
    computed.z0 = {50.04, 0, 0.0, 0, 49.96};
    EXPECT_EQ(tableColumns(five.settings, computed).back().cells,
              (std::vector<std::string>{"50", "", "<Error>", "", "50"}));
}

TEST(LayerReport, ListLinesFollowTheFlaggedColumnsAndAutomaticEr)
{
    test::FiveLayers five;
    PrintOptions options = allLayers(5, false);
    options.columns.fill(false);
    options.columns[0] = true; // Layer Name
    options.columns[5] = true; // Er
    setLayerName(five.board.layers[0], "");
    EXPECT_EQ(listLines(five.board.layers[0], 0, five.settings, options),
              (std::vector<std::string>{"Layer #1", "    Name: <Unnamed>"}))
        << "a metal's Er is the calculator's while automatic Er is on";
    five.settings.autoEr = false;
    EXPECT_EQ(listLines(five.board.layers[0], 0, five.settings, options).back().rfind("    Er: ", 0), 0u);
}

} // namespace
} // namespace lm
