#include "api/EditorInstance.h"

#include "OpenEditor.h"

#include <gtest/gtest.h>

#include <vector>

using lm::EditorInstance;
using lm::test::addBoard;

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

TEST(DrillPairs, BottomToTopIsStoredTurnedAndTurnedInTheCallersArrayOnce)
{
    EditorInstance instance;
    LMDRILLPAIR pairs[] = {{40, 20}, {20, 40}, {10, 20}, {10, 99}, {30, 30}};
    EXPECT_FALSE(instance.addDrillPairs(1, nullptr, 1));
    EXPECT_TRUE(instance.addDrillPairs(1, pairs, 0));
    EXPECT_THROW(instance.addDrillPairs(1, pairs, 1), LMInvalidArgument); // no boards
    addBoard(instance, 1, {10, 20, 30, 40});
    ASSERT_TRUE(instance.addDrillPairs(1, pairs, 5));
    EXPECT_EQ(pairs[0].fromLayerId, 20);
    EXPECT_EQ(pairs[0].toLayerId, 40);
    EXPECT_EQ(pairs[3].toLayerId, 99); // skipped: names a missing layer

    // The same pair again adds nothing; pairs naming a missing layer or one layer are skipped.
    const lm::MBSTACKUPENTRY& board = instance.boards()[0];
    ASSERT_EQ(board.drillPairs.size(), 2u);
    EXPECT_EQ(board.drillPairs[0].fromLayerId, 20);
    EXPECT_EQ(board.drillPairs[1].fromLayerId, 10);
    EXPECT_EQ(spanColumn(board, 0), "0111");
    EXPECT_EQ(spanColumn(board, 1), "1100");
}

TEST(DrillPairs, TheLastLayerWithAnIdDecidesTheDirection)
{
    EditorInstance instance;
    // Id 10 sits at the top and again at the bottom: 10 -> 20 is bottom to top.
    addBoard(instance, 1, {10, 20, 30, 10});
    LMDRILLPAIR pairs[] = {{10, 20}};
    instance.addDrillPairs(1, pairs, 1);
    EXPECT_EQ(pairs[0].fromLayerId, 20);
    EXPECT_EQ(spanColumn(instance.boards()[0], 0), "0111");
}

TEST(DrillPairs, TargetBoardIsTheFirstWithTheIdElseTheLast)
{
    EditorInstance instance;
    addBoard(instance, 5, {1, 2});
    addBoard(instance, 5, {1, 2});
    addBoard(instance, 6, {1, 2});
    LMDRILLPAIR pair[] = {{1, 2}};
    instance.addDrillPairs(5, pair, 1);
    instance.addDrillPairs(77, pair, 1);
    std::vector<std::size_t> pairCounts;
    for (const lm::MBSTACKUPENTRY& board : instance.boards())
        pairCounts.push_back(board.drillPairs.size());
    EXPECT_EQ(pairCounts, (std::vector<std::size_t>{1, 0, 1}));

    instance.freeStackups();
    addBoard(instance, -3, {1, 2});
    addBoard(instance, -4, {1, 2});
    instance.addDrillPairs(-4, pair, 1); // a negative id means the first board
    EXPECT_EQ(instance.boards()[0].drillPairs.size(), 1u);
    EXPECT_TRUE(instance.boards()[1].drillPairs.empty());
}
