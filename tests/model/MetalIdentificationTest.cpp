#include "model/Catalogues.h"

#include <gtest/gtest.h>

#include <limits>

using namespace lm;

namespace {
int32_t identified(double resistivity, double tempCoef, int32_t type = kMetal, int32_t metal = kNoMetal)
{
    LMLAYEREX layer{};
    layer.nType = type;
    layer.nMetal = metal;
    layer.dBulkResistivity = resistivity;
    layer.dTempCoef = tempCoef;
    identifyMetal(layer);
    return layer.nMetal;
}
} // namespace

TEST(MetalIdentification, MatchesWithinOneMillionthOfTheSmallerValueAndOnlyUnknownMetals)
{
    EXPECT_EQ(identified(1.7240001e-08, 0.00393), kCopper);
    EXPECT_EQ(identified(1.73e-08, 0.00393), kCustomMetal);
    EXPECT_EQ(identified(1.724e-08, 0.0038), kCustomMetal); // both values must match
    EXPECT_EQ(identified(1.621e-08, 0.004), kSilver);
    EXPECT_EQ(identified(-1.724e-08, 0.00393), kCustomMetal);
    // Just under copper by 0.9999995e-6 of copper: within a millionth of the larger
    // value, but not of the smaller one, which is what counts.
    EXPECT_EQ(identified(1.724e-08 * (1 - 0.9999995e-6), 0.00393), kCustomMetal);
    // A zero or NaN never divides or matches a real metal.
    EXPECT_EQ(identified(0.0, 0.0), kCustomMetal);
    EXPECT_EQ(identified(std::numeric_limits<double>::quiet_NaN(), 0.00393), kCustomMetal);
    EXPECT_EQ(identified(1.724e-08, 0.00393, kDielectric), kNoMetal);
    EXPECT_EQ(identified(1.724e-08, 0.00393, kMetal, kGold), kGold);
}
