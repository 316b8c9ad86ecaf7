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
    // Above a top signal, below a bottom plating, a signal under a mask, plating under a mask (no conductor
    // here), two dielectrics, between metals; a missing layer is neither metal nor dielectric.
    const int32_t cases[][4] = {
        {kSignal, kNone, 0, kMask},       {kNone, kPlating, 0, kMask},    {kSignal, kMask, 0, kPlating},
        {kMask, kPlane, 0, kPlating},     {kPlating, kMask, 0, kSubstrate}, {kSubstrate, 9, 1, kSignal},
        {kSignal, kPlane, 0, kSubstrate}, {kSignal, kPlane, 1, kRigid},   {kNone, kNone, 0, kSubstrate},
        {kNone, kNone, 1, kRigid},        {kMask, kNone, 0, kSubstrate},  {kNone, kSubstrate, 0, kSubstrate}};
    for (const auto& [above, below, rigidFlex, usage] : cases)
        EXPECT_EQ(lm::mostSuitableUsage(above, below, rigidFlex != 0), usage) << above << " " << below;
}

TEST(DrillMoveAllowed, KeepsTheDrillPairsOfTheBlock)
{
    // Pair 0 spans layers 0-2, pair 1 layers 2-4. Within pair 0, within pair 1; leaving pair 0 into pair 1,
    // into pair 0 without it, below the end of pair 1. The block's own layers are no neighbours: layers 3-4
    // moved down by one stay put.
    const auto sets = spans({"10", "10", "11", "01", "01", "00"});
    const auto allowed = [&](const std::vector<DrillSpanSet>& s, int32_t first, int32_t count, int32_t target) {
        return lm::drillMoveAllowed(s, first, count, target);
    };
    EXPECT_EQ((std::vector<bool>{allowed(sets, 0, 1, 2), allowed(sets, 3, 1, 5), allowed(sets, 0, 1, 4),
                                 allowed(sets, 5, 1, 1), allowed(sets, 3, 1, 6), allowed(sets, 3, 2, 5),
                                 allowed(sets, 3, 2, 3)}),
              (std::vector<bool>{true, true, false, false, false, true, true}));
    // Measured against the layers around the gap the block leaves, not against itself; a block needs equal
    // span sets; boards without spans and a single layer move freely.
    const auto misfit = spans({"11", "10", "11"}), mixed = spans({"10", "11", "01"});
    EXPECT_EQ((std::vector<bool>{allowed(misfit, 1, 1, 1), allowed(misfit, 1, 1, 2), allowed(mixed, 0, 2, -1),
                                 allowed(mixed, 1, 1, -1), allowed(std::vector<DrillSpanSet>(3), 0, 2, 3),
                                 allowed({}, 0, 1, 0), allowed(spans({"1"}), 0, 1, 0)}),
              (std::vector<bool>{false, false, false, true, true, true, true}));
}

TEST(InsertedLayerSpans, LiesInsidePairsSpanningBothNeighbours)
{
    const auto sets = spans({"10", "11", "01"});
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
