#include "api/EditorInstance.h"

#include "OpenEditor.h"
#include "model/Catalogues.h"

#include <gtest/gtest.h>

#include <vector>

using lm::EditorInstance;
using lm::test::addBoard;

// Caps, settings and tabs crossing the interface are the host interface test's;
// here the settings a unit list refuses and a tab index below the list.
TEST(EditorInstance, SettingsStayInTheUnitListTabsInTheTabList)
{
    EditorInstance instance;
    LMUNIT units[2]{};
    instance.setSupportedUnits(units, 2);
    LMSETTINGS settings{1, 1}, out{};
    instance.setSettings(&settings);
    for (int32_t refused : {2, -1}) {
        settings = {refused, 0};
        instance.setSettings(&settings);
        instance.getSettings(&out);
        EXPECT_EQ(std::pair(out.unitIndex, out.metalThicknessAs), std::pair(1, 1)) << refused;
    }
    // An empty list keeps the old one; a shorter one does not leave the index behind.
    instance.setSupportedUnits(units, 0);
    EXPECT_EQ(instance.settings().units.size(), 2u);
    instance.setSupportedUnits(units, 1);
    EXPECT_EQ(instance.settings().unitIndex, 0);
    EXPECT_THROW(instance.getSettings(nullptr), LMInvalidArgument);
    EXPECT_THROW(instance.tab(-1), LMInvalidArgument);
}

TEST(EditorInstance, TheWindowShowsTheLastBoardOfAnIdElseTheFirstBoard)
{
    lm::test::OpenEditor editor;
    EditorInstance& instance = editor.instance;
    addBoard(instance, 7, {1});
    addBoard(instance, 8, {1});
    addBoard(instance, 7, {1, 2});
    LMLAYEREX* layers = nullptr;
    int32_t count = 0;
    instance.getStackup(7, &layers, &count);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(layers, instance.boards()[2].layers.data());
    instance.setCurrentBoard(7);
    editor.open();
    EXPECT_EQ(instance.settings().currentBoard, &instance.boards()[2]);
    instance.windowDestroyed();

    instance.setCurrentBoard(99);
    editor.open();
    EXPECT_EQ(instance.settings().currentBoard, &instance.boards()[0]);
    EXPECT_EQ(instance.currentBoardId(), 7);
    // A board added while the window is open must not leave the shown board dangling.
    instance.showBoard(1);
    for (int i = 0; i < 20; ++i)
        addBoard(instance, 10 + i, {1});
    EXPECT_EQ(instance.settings().currentBoard, &instance.boards()[1]);
    EXPECT_THROW(instance.showBoard(instance.boards().size()), LMInvalidArgument);
}

TEST(EditorInstance, AddedLayersLeaveTheHostsArrayAloneAndAnEmptyBoardReadsBackEmpty)
{
    EditorInstance instance;
    LMLAYEREX in[1]{};
    in[0].pDrillSpans = 0xDEADBEEF;
    EXPECT_FALSE(instance.addStackup(1, "Board", nullptr, 1));
    EXPECT_THROW(instance.addStackup(1, "Board", in, -1), LMInvalidArgument);
    ASSERT_TRUE(instance.boards().empty());
    ASSERT_TRUE(instance.addStackup(1, "Board", in, 1));
    EXPECT_EQ(in[0].pDrillSpans, 0xDEADBEEFu);

    LMLAYEREX* out = in;
    int32_t count = -1;
    ASSERT_TRUE(instance.addStackup(2, nullptr, in, 0));
    instance.getStackup(2, &out, &count);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(instance.boards()[1].name, "");
}

TEST(EditorInstance, AnOpenWindowGetsTitleAndMenuAndLeavesItsPlacementBehind)
{
    lm::test::OpenEditor editor;
    editor.instance.setTitle("Before");
    editor.window.placementToReport.left = 10;
    editor.open();
    EXPECT_TRUE(editor.window.calls.empty());
    editor.instance.setTitle(nullptr);
    editor.instance.setArchiveCallback(nullptr);
    EXPECT_EQ(editor.window.title, "");

    editor.instance.windowDestroyed();
    EXPECT_EQ(editor.window.calls,
              (std::vector<std::string>{"setTitle", "rebuildFileMenu", "takeColumnWidths", "capturePlacement"}));
    EXPECT_EQ(editor.instance.placement().left, 10);
    EXPECT_EQ(editor.instance.window(), nullptr);
    editor.instance.exitInstance(true); // no window: nothing happens
    editor.instance.saveInstance();
    editor.instance.setTitle("After");
    EXPECT_EQ(editor.window.calls.size(), 4u);
}

namespace {

// Span bit k of every layer as a string, one character per layer ("0110").
std::string spanColumn(const lm::MBSTACKUPENTRY& board, std::size_t k)
{
    std::string column;
    for (const lm::DrillSpanSet& spans : board.drillSpans)
        column += spans.test(k) ? '1' : '0';
    return column;
}

} // namespace

TEST(DrillPairs, StoredTopToBottomOnceOnTheBoardTheIdNames)
{
    EditorInstance instance;
    LMDRILLPAIR pairs[] = {{40, 20}, {20, 40}, {10, 20}, {10, 99}, {30, 30}};
    EXPECT_FALSE(instance.addDrillPairs(1, nullptr, 1));
    EXPECT_TRUE(instance.addDrillPairs(1, pairs, 0));
    EXPECT_THROW(instance.addDrillPairs(1, pairs, 1), LMInvalidArgument); // no boards
    addBoard(instance, 5, {10, 20, 30, 40});
    addBoard(instance, 5, {10, 20});
    addBoard(instance, 6, {10, 20, 30, 10}); // id 10 again at the bottom
    ASSERT_TRUE(instance.addDrillPairs(5, pairs, 5)); // the first board with the id
    // Turned in the caller's array too; the same pair again, a missing layer or one layer: skipped.
    EXPECT_EQ(std::vector<int32_t>({pairs[0].fromLayerId, pairs[0].toLayerId, pairs[3].toLayerId}),
              (std::vector<int32_t>{20, 40, 99}));
    const lm::BoardList& boards = instance.boards();
    ASSERT_EQ(boards[0].drillPairs.size(), 2u);
    EXPECT_EQ(boards[0].drillPairs[1].fromLayerId, 10);
    EXPECT_EQ(spanColumn(boards[0], 0) + " " + spanColumn(boards[0], 1), "0111 1100");

    LMDRILLPAIR pair[] = {{10, 20}};
    instance.addDrillPairs(77, pair, 1); // an unknown id: the last board, whose last 10 is at the bottom
    EXPECT_EQ(pair[0].fromLayerId, 20);
    EXPECT_EQ(spanColumn(boards[2], 0), "0111");
    LMDRILLPAIR other[] = {{30, 40}};
    instance.addDrillPairs(-4, other, 1); // a negative id: the first board
    EXPECT_EQ(boards[0].drillPairs.size(), 3u);
    EXPECT_TRUE(boards[1].drillPairs.empty());
}
