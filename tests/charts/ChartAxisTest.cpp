#include "charts/ChartAxis.h"
#include "charts/ChartNumbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace lm {
namespace {

AxisState linearAxis(double min, double max, int32_t pixels)
{
    AxisState axis;
    axis.min = min;
    axis.max = max;
    axis.placeTicks(axis.stepFor(min, max, pixels));
    axis.scale = pixels / (axis.last - axis.first);
    return axis;
}

AxisState logAxis(double first, double step, double pixelsPerDecade)
{
    AxisState axis;
    axis.log = true;
    axis.first = first;
    axis.step = step;
    axis.last = first * 1e6;
    axis.scale = pixelsPerDecade;
    return axis;
}

TEST(ChartAxis, WholeNumbersForgiveRoundingButNotRealFractions)
{
    EXPECT_EQ(tolerantFloor(2.9999999999999996), 3);
    EXPECT_EQ(tolerantFloor(2.9999), 2);
    EXPECT_EQ(tolerantCeil(3.0000000000004), 3);
    EXPECT_EQ(tolerantCeil(3.0001), 4);
    EXPECT_EQ(tolerantFloor(-0.1), -1);
    EXPECT_EQ(nearest(2.5), 3);
    EXPECT_EQ(nearest(-2.5), -2); // halves go up, also below zero
    EXPECT_EQ(nearest(2.4999), 2);
    EXPECT_EQ(saturatingInt(1e12), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(saturatingInt(-1e12), std::numeric_limits<int32_t>::min());
}

TEST(ChartAxis, LinearStepPrefersNoWasteThenTheSmallerStep)
{
    // 200 pixels allow 10 intervals: step 1 covers 0..7 exactly, step 2 would waste 1.
    const AxisState axis = linearAxis(0, 7, 200);
    EXPECT_EQ(axis.step, 1);
    EXPECT_EQ(axis.first, 0);
    EXPECT_EQ(axis.last, 7);
    EXPECT_EQ(axis.intervals(), 7);
    // 100 pixels allow 5 intervals: 2.5 (0..7.5) wastes least.
    EXPECT_EQ(linearStep(0, 7, 100), 2.5);
    // Below 60 pixels only 2 intervals: 5 (0..10) and 10 (0..10) waste the same; the smaller wins.
    EXPECT_EQ(linearStep(0, 7, 59), 5);
    EXPECT_EQ(linearStep(0, 7, 0), 5);
    // Small and negative ranges land on the same mantissas.
    EXPECT_DOUBLE_EQ(linearStep(0.0031, 0.0077, 200), 0.0005);
    const AxisState negative = linearAxis(-3.2, 1.1, 100);
    EXPECT_EQ(negative.step, 2);
    EXPECT_EQ(negative.first, -4);
    EXPECT_EQ(negative.last, 2);
}

TEST(ChartAxis, LogStepTakesWholeDecadesByTheRoomPerDecade)
{
    EXPECT_EQ(logStep(1, 1e6, 60), 2);   // 10 pixels a decade
    EXPECT_EQ(logStep(1, 1e6, 120), 1);  // 20 pixels a decade
    EXPECT_EQ(logStep(1, 1e6, 119), 2);
    EXPECT_EQ(logStep(1, 1e6, 30), 4);   // 5 pixels a decade: 4 * 30 / 6 = 20
    EXPECT_EQ(logStep(0.1, 10000, 400), 1);

    AxisState axis;
    axis.log = true;
    axis.min = 1.5;
    axis.max = 2e5;
    axis.placeTicks(2);
    EXPECT_EQ(axis.first, 1);
    EXPECT_EQ(axis.last, 1e6); // 1, 100, 1e4, 1e6: the first power at or above the maximum
    EXPECT_EQ(axis.intervals(), 3);
    EXPECT_EQ(axis.tick(2), 1e4);
    EXPECT_EQ(axis.moved(100, 1), 1);
    EXPECT_EQ(axis.moved(100, -1), 1e4);
}

TEST(ChartAxis, EmptyRangesAreWidenedBeforeTheyGetTicks)
{
    double min = 3, max = 3;
    widenDegenerateRange(min, max, false);
    EXPECT_EQ(min, 2.5);
    EXPECT_EQ(max, 3.5);
    min = max = 0;
    widenDegenerateRange(min, max, false);
    EXPECT_EQ(min, -0.5);
    EXPECT_EQ(max, 0.5);
    min = max = 1e-3;
    widenDegenerateRange(min, max, true);
    EXPECT_DOUBLE_EQ(min, 1e-4);
    EXPECT_DOUBLE_EQ(max, 1e-2);
    min = -1, max = 1; // symmetric about 0 is not empty
    widenDegenerateRange(min, max, false);
    EXPECT_EQ(min, -1);
    EXPECT_EQ(max, 1);
}

TEST(ChartAxis, MinorTicksOfALogAxisFollowTheRoomPerDecade)
{
    EXPECT_EQ(minorTickFraction(210), 0.1);
    EXPECT_EQ(minorTickFraction(200), 0.2);
    EXPECT_EQ(minorTickFraction(40), 0.5);
    EXPECT_EQ(minorTickFraction(25), 0);
    const std::vector<double> tenths = minorTicksBelow(10, 0.1);
    ASSERT_EQ(tenths.size(), 8u);
    EXPECT_DOUBLE_EQ(tenths.front(), 2);
    EXPECT_DOUBLE_EQ(tenths.back(), 9);
    const std::vector<double> fifths = minorTicksBelow(10, 0.2);
    ASSERT_EQ(fifths.size(), 4u);
    EXPECT_DOUBLE_EQ(fifths[0], 2);
    EXPECT_DOUBLE_EQ(fifths[3], 8);
    const std::vector<double> halves = minorTicksBelow(10, 0.5);
    ASSERT_EQ(halves.size(), 1u);
    EXPECT_DOUBLE_EQ(halves[0], 5);
    EXPECT_EQ(minorTicksBelow(10, 0.25).size(), 3u); // 2.5, 5, 7.5
    EXPECT_TRUE(minorTicksBelow(10, 0).empty());
}

TEST(ChartAxis, PixelsAndValuesMapBothWaysOnWholePixelTicks)
{
    const AxisState axis = linearAxis(0, 7, 200); // 28.57 pixels a step
    EXPECT_EQ(axis.offsetOf(3), 86);
    EXPECT_EQ(axis.valueAtOffset(86), 3);       // a tick's pixel is the tick's value
    EXPECT_DOUBLE_EQ(axis.valueAtOffset(43), 1.5); // halfway between the ticks at 29 and 57
    for (int32_t offset = 0; offset <= 200; ++offset)
        EXPECT_EQ(axis.offsetOf(axis.valueAtOffset(offset)), offset) << offset;

    // 210 pixels a decade: minor ticks at every whole multiple; a pixel on one reads its value.
    const AxisState log = logAxis(1, 1, 210);
    EXPECT_EQ(log.offsetOf(3), 100);
    EXPECT_EQ(log.valueAtOffset(100), 3);
    EXPECT_EQ(log.valueAtOffset(210 + 100), 30);
    EXPECT_DOUBLE_EQ(log.valueAtOffset(101), std::pow(10.0, 101.0 / 210)); // between minor ticks: continuous
    EXPECT_EQ(logAxis(1, 1, 40).valueAtOffset(std::log10(5.0) * 40 + 0.2), 5); // 40 pixels: only the 5s
}

TEST(ChartAxis, LabelSpacingLandsOnRoundMultiples)
{
    AxisState axis = linearAxis(0, 10, 200); // step 1, 20 pixels an interval
    ASSERT_EQ(axis.step, 1);
    EXPECT_EQ(axis.labelSpacing(200, 15), 1);
    EXPECT_EQ(axis.labelSpacing(200, 30), 2);
    EXPECT_EQ(axis.labelSpacing(200, 45), 5); // 3 would label 0, 3, 6: it becomes 4, then 5 for steps of 1
    EXPECT_EQ(axis.labelSpacing(200, 500), 10);

    AxisState quarters = linearAxis(0, 2.5, 200); // step 0.25
    ASSERT_EQ(quarters.step, 0.25);
    EXPECT_EQ(quarters.labelSpacing(200, 50), 4); // 3 -> 4: every 1.0
    EXPECT_EQ(quarters.labelSpacing(200, 110), 8); // 6 -> 8: every 2.0

    AxisState decades = logAxis(1, 1, 30);
    decades.last = 1e6;
    EXPECT_EQ(decades.labelSpacing(180, 70), 3); // a log axis keeps its count
}

TEST(ChartNumbers, PrefixesKeepMantissasAboveOneUpToAThousand)
{
    EXPECT_EQ(tickLabel(1, prefixRowFor(1), ""), " 1000m ");
    EXPECT_EQ(tickLabel(1000, prefixRowFor(1000), ""), " 1000 ");
    EXPECT_EQ(tickLabel(1001, prefixRowFor(1001), "Hz"), " 1.001kHz ");
    EXPECT_EQ(tickLabel(2.5e-5, prefixRowFor(2.5e-5), "m"), " 25um ");
    EXPECT_EQ(tickLabel(0, prefixRowFor(0), "V"), " 0V ");
    // Rows beyond [1e-12, 1e12] and labels that would need an exponent take the long form.
    EXPECT_EQ(tickLabel(1e-14, prefixRowFor(1e-14), "F"), " 1.00e-14F ");
    EXPECT_EQ(tickLabel(3e25, prefixRowFor(3e25), ""), " 3.00e+25 ");
    EXPECT_EQ(tickLabel(12345, kNoPrefixRow, "ohm"), " 1.23e+04ohm ");
    EXPECT_EQ(tickLabel(1234, kNoPrefixRow, "meter"), " 1234meter "); // an "e" in the unit is no exponent
    // One row for an axis, from its larger end.
    EXPECT_EQ(prefixRow(prefixRowFor(-2000, 500)).prefix, "k");
    EXPECT_EQ(tickLabel(500, prefixRowFor(-2000, 500), ""), " 0.5k ");
}

TEST(ChartNumbers, ReadoutTakesARowPerValue)
{
    EXPECT_EQ(readoutText(1, "m", 0.5, "V", true), "1000mm ,500mV");
    EXPECT_EQ(readoutText(123456, "Hz", 2e16, "", true), "123.46kHz ,2.000e+16");
    EXPECT_EQ(readoutText(123456, "Hz", 0.25, "dB/m", false), "1.2346e+05Hz ,0.25dB/m");
}

} // namespace
} // namespace lm
