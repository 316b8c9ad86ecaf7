#include "grid/LayerRules.h"
#include "model/Catalogues.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

using lm::DrillSpanSet;

namespace {

constexpr int32_t kNone = -1, kSignal = 0, kPlane = 1, kPlating = 4, kSubstrate = 5, kMask = 6, kRigid = 7;

// Span sets of 32 bits from strings such as "01": bit k set when character k is '1'.
std::vector<DrillSpanSet> spans(std::initializer_list<std::string> bits)
{
    std::vector<DrillSpanSet> sets;
    for (const std::string& pattern : bits) {
        DrillSpanSet set;
        set.resetTo(32);
        for (std::size_t k = 0; k < pattern.size(); ++k)
            set.set(k, pattern[k] == '1');
        sets.push_back(set);
    }
    return sets;
}

} // namespace

TEST(MostSuitableUsage, FollowsTheNeighbours)
{
    EXPECT_EQ(lm::mostSuitableUsage(kSignal, kNone, false), kMask);       // above a top signal
    EXPECT_EQ(lm::mostSuitableUsage(kNone, kPlating, false), kMask);      // below a bottom plating
    EXPECT_EQ(lm::mostSuitableUsage(kSignal, kMask, false), kPlating);    // signal under a mask
    EXPECT_EQ(lm::mostSuitableUsage(kMask, kPlane, false), kPlating);
    EXPECT_EQ(lm::mostSuitableUsage(kPlating, kMask, false), kSubstrate); // plating is no conductor here
    EXPECT_EQ(lm::mostSuitableUsage(kSubstrate, 9, true), kSignal);       // two dielectrics
    EXPECT_EQ(lm::mostSuitableUsage(kSignal, kPlane, false), kSubstrate);
    EXPECT_EQ(lm::mostSuitableUsage(kSignal, kPlane, true), kRigid);
    // A missing layer is neither metal nor dielectric.
    EXPECT_EQ(lm::mostSuitableUsage(kNone, kNone, false), kSubstrate);
    EXPECT_EQ(lm::mostSuitableUsage(kNone, kNone, true), kRigid);
    EXPECT_EQ(lm::mostSuitableUsage(kMask, kNone, false), kSubstrate); // above a top mask
    EXPECT_EQ(lm::mostSuitableUsage(kNone, kSubstrate, false), kSubstrate);
}

TEST(DrillMoveAllowed, KeepsTheDrillPairsOfTheBlock)
{
    // Pair 0 spans layers 0-2, pair 1 layers 2-4.
    const auto sets = spans({"10", "10", "11", "01", "01", "00"});
    EXPECT_TRUE(lm::drillMoveAllowed(sets, 0, 1, 2));  // within pair 0
    EXPECT_TRUE(lm::drillMoveAllowed(sets, 3, 1, 5));  // within pair 1
    EXPECT_FALSE(lm::drillMoveAllowed(sets, 0, 1, 4)); // leaves pair 0, lands inside pair 1
    EXPECT_FALSE(lm::drillMoveAllowed(sets, 5, 1, 1)); // would lie inside pair 0 without it
    EXPECT_FALSE(lm::drillMoveAllowed(sets, 3, 1, 6)); // below the end of pair 1
    // The block's own layers are no neighbours: layers 3-4 moved down by one stay put.
    EXPECT_TRUE(lm::drillMoveAllowed(sets, 3, 2, 5));
    EXPECT_TRUE(lm::drillMoveAllowed(sets, 3, 2, 3));
    // Measured against the layers around the gap the block leaves, not against itself.
    const auto misfit = spans({"11", "10", "11"});
    EXPECT_FALSE(lm::drillMoveAllowed(misfit, 1, 1, 1));
    EXPECT_FALSE(lm::drillMoveAllowed(misfit, 1, 1, 2));

    // A block needs equal span sets; boards without spans move freely.
    const auto mixed = spans({"10", "11", "01"});
    EXPECT_FALSE(lm::drillMoveAllowed(mixed, 0, 2, -1));
    EXPECT_TRUE(lm::drillMoveAllowed(mixed, 1, 1, -1));

    std::vector<DrillSpanSet> none(3);
    EXPECT_TRUE(lm::drillMoveAllowed(none, 0, 2, 3));
    EXPECT_TRUE(lm::drillMoveAllowed({}, 0, 1, 0));
    EXPECT_TRUE(lm::drillMoveAllowed(spans({"1"}), 0, 1, 0)); // a single layer has no neighbours
}

TEST(InsertedLayerSpans, LiesInsidePairsSpanningBothNeighbours)
{
    const auto sets = spans({"10", "11", "01"});
    EXPECT_EQ(lm::insertedLayerSpans(sets, 1), spans({"10"})[0]);
    EXPECT_EQ(lm::insertedLayerSpans(sets, 2), spans({"01"})[0]);
    EXPECT_EQ(lm::insertedLayerSpans(sets, 0), spans({"10"})[0]); // only a layer below
    DrillSpanSet wide;
    wide.set(40);
    EXPECT_EQ(lm::insertedLayerSpans(std::vector<DrillSpanSet>{wide, wide}, 1), wide); // every bit of the size
    EXPECT_TRUE(lm::insertedLayerSpans(std::vector<DrillSpanSet>(2), 1).empty());
}

// A Type change starts the record afresh, but the span field stays with the
// drill spans kept beside it. (The usages and colours it picks are the layer
// grid's Type tests.)
TEST(RestartLayerAsType, KeepsTheSpanField)
{
    std::vector<LMLAYEREX> layers{lm::defaultLayer(kSignal), lm::defaultLayer(kSubstrate), lm::defaultLayer(kPlane)};
    layers[1].pDrillSpans = 5;
    lm::restartLayerAsType(layers, 1, 0, false);
    EXPECT_EQ(layers[1].nUsage, kSignal);
    EXPECT_EQ(layers[1].pDrillSpans, 5u);
}
