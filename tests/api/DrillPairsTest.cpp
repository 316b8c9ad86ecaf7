#include "api/EditorInstance.h"

#include <gtest/gtest.h>

#include <vector>

using lm::EditorInstance;

namespace {

// A board whose layers carry the given ids, top first.
void addBoard(EditorInstance& instance, int32_t boardId, std::vector<int32_t> layerIds)
{
    std::vector<LMLAYEREX> layers(layerIds.size());
    for (std::size_t i = 0; i < layers.size(); ++i) {
        layers[i].nId = layerIds[i];
        layers[i].nType = 1;
    }
    ASSERT_TRUE(instance.addStackup(boardId, "board", layers.data(), static_cast<int32_t>(layers.size())));
}

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
    addBoard(instance, 1, {10, 20, 30, 40});
    LMDRILLPAIR pairs[] = {{40, 20}, {20, 40}, {10, 20}};
    ASSERT_TRUE(instance.addDrillPairs(1, pairs, 3));
    EXPECT_EQ(pairs[0].fromLayerId, 20);
    EXPECT_EQ(pairs[0].toLayerId, 40);

    const lm::MBSTACKUPENTRY& board = instance.boards()[0];
    ASSERT_EQ(board.drillPairs.size(), 2u);
    EXPECT_EQ(board.drillPairs[0].fromLayerId, 20);
    EXPECT_EQ(board.drillPairs[1].fromLayerId, 10);
    EXPECT_EQ(spanColumn(board, 0), "0111");
    EXPECT_EQ(spanColumn(board, 1), "1100");

    // The same pair again adds nothing.
    LMDRILLPAIR again[] = {{40, 20}};
    instance.addDrillPairs(1, again, 1);
    EXPECT_EQ(instance.boards()[0].drillPairs.size(), 2u);
}

TEST(DrillPairs, PairsNamingMissingOrOneLayerAreSkippedButSpansRebuilt)
{
    EditorInstance instance;
    addBoard(instance, 1, {10, 20, 30});
    LMDRILLPAIR pairs[] = {{10, 99}, {20, 20}};
    ASSERT_TRUE(instance.addDrillPairs(1, pairs, 2));
    const lm::MBSTACKUPENTRY& board = instance.boards()[0];
    EXPECT_TRUE(board.drillPairs.empty());
    EXPECT_EQ(board.drillSpans.size(), 3u);
    EXPECT_EQ(pairs[0].toLayerId, 99);
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
    EXPECT_EQ(instance.boards()[0].drillPairs.size(), 1u);
    EXPECT_TRUE(instance.boards()[1].drillPairs.empty());

    instance.addDrillPairs(77, pair, 1);
    EXPECT_EQ(instance.boards()[2].drillPairs.size(), 1u);

    instance.freeStackups();
    addBoard(instance, -3, {1, 2});
    addBoard(instance, -4, {1, 2});
    instance.addDrillPairs(-4, pair, 1); // a negative id means the first board
    EXPECT_EQ(instance.boards()[0].drillPairs.size(), 1u);
    EXPECT_TRUE(instance.boards()[1].drillPairs.empty());
}

