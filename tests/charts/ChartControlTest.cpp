// The chart: its axes' steps, ticks and labels, then the control as the
// graph dialogs use it, in a fake window with fixed font metrics.
#include "charts/ChartAxis.h"
#include "charts/ChartControl.h"
#include "charts/ChartNumbers.h"
#include "GraphDialogFakes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

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

TEST(ChartAxis, WholeNumbersForgiveRoundingButNotRealFractions)
{
    const double max = std::numeric_limits<int32_t>::max(), min = std::numeric_limits<int32_t>::min();
    // Halves go up, also below zero.
    EXPECT_EQ((std::vector<double>{tolerantFloor(2.9999999999999996), tolerantFloor(2.9999), tolerantCeil(3.0000000000004),
                                    tolerantCeil(3.0001), tolerantFloor(-0.1), nearest(2.5), nearest(-2.5), nearest(2.4999),
                                    double(saturatingInt(1e12)), double(saturatingInt(-1e12))}),
              (std::vector<double>{3, 2, 3, 4, -1, 3, -2, 2, max, min}));
}

TEST(ChartAxis, LogStepTakesWholeDecadesByTheRoomPerDecade)
{
    // 10, 20, 19.8 and 5 pixels a decade (4 * 30 / 6 = 20).
    EXPECT_EQ((std::vector<double>{logStep(1, 1e6, 60), logStep(1, 1e6, 120), logStep(1, 1e6, 119), logStep(1, 1e6, 30),
                                   logStep(0.1, 10000, 400)}),
              (std::vector<double>{2, 1, 2, 4, 1}));
}

TEST(ChartAxis, PixelsAndValuesMapBothWaysOnWholePixelTicks)
{
    const AxisState axis = linearAxis(0, 7, 200); // 28.57 pixels a step
    EXPECT_EQ(axis.valueAtOffset(axis.offsetOf(3)), 3); // a tick's pixel (86) is the tick's value
    EXPECT_DOUBLE_EQ(axis.valueAtOffset(43), 1.5); // halfway between the ticks at 29 and 57
    for (int32_t offset = 0; offset <= 200; ++offset)
        EXPECT_EQ(axis.offsetOf(axis.valueAtOffset(offset)), offset) << offset;

    // 210 pixels a decade: minor ticks at every whole multiple; a pixel on one reads its value.
    const AxisState log{.log = true, .step = 1, .first = 1, .last = 1e6, .scale = 210};
    EXPECT_EQ((std::vector<double>{double(log.offsetOf(3)), log.valueAtOffset(100), log.valueAtOffset(210 + 100)}),
              (std::vector<double>{100, 3, 30}));
    EXPECT_DOUBLE_EQ(log.valueAtOffset(101), std::pow(10.0, 101.0 / 210)); // between minor ticks: continuous
    const AxisState coarse{.log = true, .step = 1, .first = 1, .last = 1e6, .scale = 40}; // 40 pixels: only the 5s
    EXPECT_EQ(coarse.valueAtOffset(std::log10(5.0) * 40 + 0.2), 5);
}

TEST(ChartAxis, LabelSpacingLandsOnRoundMultiples)
{
    AxisState axis = linearAxis(0, 10, 200); // step 1, 20 pixels an interval
    ASSERT_EQ(axis.step, 1);
    // 45 pixels: 3 would label 0, 3, 6: it becomes 4, then 5 for steps of 1.
    EXPECT_EQ((std::vector<int32_t>{axis.labelSpacing(200, 15), axis.labelSpacing(200, 30), axis.labelSpacing(200, 45),
                                    axis.labelSpacing(200, 500)}),
              (std::vector<int32_t>{1, 2, 5, 10}));
}

TEST(ChartNumbers, PrefixesKeepMantissasAboveOneUpToAThousand)
{
    // Rows beyond [1e-12, 1e12] and labels that would need an exponent take the long form.
    const std::pair<double, const char*> values[] = {{1, ""}, {1000, ""}, {1001, "Hz"}, {2.5e-5, "m"}, {0, "V"},
                                                     {1e-14, "F"}, {3e25, ""}};
    std::vector<std::string> labels;
    for (const auto& [value, unit] : values)
        labels.push_back(tickLabel(value, prefixRowFor(value), unit));
    EXPECT_EQ(labels, (std::vector<std::string>{" 1000m ", " 1000 ", " 1.001kHz ", " 25um ", " 0V ", " 1.00e-14F ",
                                                " 3.00e+25 "}));
    EXPECT_EQ(tickLabel(12345, kNoPrefixRow, "ohm"), " 1.23e+04ohm ");
    EXPECT_EQ(tickLabel(1234, kNoPrefixRow, "meter"), " 1234meter "); // an "e" in the unit is no exponent
    // One row for an axis, from its larger end.
    EXPECT_EQ(tickLabel(500, prefixRowFor(-2000, 500), ""), " 0.5k ");
}

using test::CanvasOp;

constexpr uint32_t kGreen = 0x00FF00;
constexpr uint32_t kRed = 0x0000FF;

// The ramp y = x over 0..10 in a 600 x 400 window: steps of 0.5 across
// (54 pixels a unit from x 39), of 1 up (32 pixels a unit from y 336).
struct ChartTest : ::testing::Test {
    test::FakeChartWindow window;
    CChartControl chart;
    static constexpr double kRamp[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    Curve ramp{kRamp, kRamp, std::size(kRamp), kGreen};

    void SetUp() override
    {
        chart.attach(&window);
        chart.addCurve(ramp);
        chart.recalcLayout();
    }
    Point at(double x, double y) const { return {chart.xPixel(x), chart.yPixel(y)}; }
    void drag(Point from, Point to)
    {
        chart.buttonDown(from);
        chart.mouseMove(to);
        chart.buttonUp(to, 0);
    }
};

TEST_F(ChartTest, AxesSpanWholeStepsFromEdgeToEdgeOfThePlot)
{
    EXPECT_EQ(std::tuple(chart.plot(), chart.xAxis().step, chart.yAxis().step, at(0, 0), at(10, 10)),
              std::tuple(Rect{39, 16, 579, 336}, 0.5, 1.0, Point{39, 336}, Point{579, 16}));
    EXPECT_EQ(std::tuple(chart.xValueAt(309), chart.yValueAt(176)), std::tuple(5.0, 5.0));
}

TEST_F(ChartTest, FlatCurvesAndLogAxesWithoutRoomStayDrawable)
{
    chart.removeAllCurves();
    EXPECT_EQ(chart.dataRange(), ChartRange{});
    const double x[] = {1, 100};
    const double y[] = {3, 3};
    Curve flat(x, y, 2, kRed);
    chart.addCurve(flat);
    chart.setLogScale(true, true);
    EXPECT_EQ(std::tuple(chart.xAxis().log, chart.yAxis().log), std::tuple(true, true));
    EXPECT_DOUBLE_EQ(chart.viewRange().minY, 0.3); // a decade each side on a log axis
    chart.setLogScale(false, false);
    EXPECT_EQ(std::tuple(chart.viewRange().minY, chart.viewRange().maxY), std::tuple(2.5, 3.5));

    chart.addCurve(ramp); // x from 0: a log x axis is refused
    chart.setLogScale(true, false);
    EXPECT_EQ(std::tuple(chart.xAxis().log, chart.dataRange()), std::tuple(false, ChartRange{0, 0, 100, 10}));
}

TEST_F(ChartTest, ZoomIgnoresClicksAndStopsAtSixtyFourTimes)
{
    const ChartRange full = chart.viewRange();
    drag({100, 100}, {101, 200}); // one pixel wide
    EXPECT_EQ(std::tuple(chart.viewRange(), window.captured), std::tuple(full, false));

    drag({100, 100}, {103, 300}); // 3 pixels across: 0.056 of a data range of 10
    const ChartRange zoomed = chart.viewRange();
    EXPECT_DOUBLE_EQ(zoomed.maxX - zoomed.minX, 10.0 / 64);
    EXPECT_DOUBLE_EQ((zoomed.maxX + zoomed.minX) / 2, (61.0 / 54 + 64.0 / 54) / 2);
    EXPECT_EQ(std::tuple(zoomed.minY, zoomed.maxY), std::tuple(36.0 / 32, 236.0 / 32)); // 200 pixels high: within the limit

    chart.doubleClick();
    EXPECT_EQ(chart.viewRange(), full);
}

TEST_F(ChartTest, PanSnapsToWholeStepsAndCompletesAStartedOne)
{
    const auto panBy = [&](int32_t dx, int64_t releaseMs) { // as a hand moves: a pixel at a time
        chart.buttonDown({200, 200});
        for (int32_t i = 1; i <= dx; ++i)
            chart.mouseMove({200 + i, 200});
        chart.buttonUp({200 + dx, 200}, releaseMs);
    };
    chart.setMouseMode(kChartPan);
    ASSERT_EQ(chart.xAxis().stepPixels(), 27);
    // 25 pixels: within 2 of a step, so one step is taken; the 2 left over count as 0.
    panBy(25, 0);
    EXPECT_EQ(std::tuple(chart.xAxis().first, chart.panOffset(), window.animationsStarted), std::tuple(-0.5, Point{}, 0));
    // 29 is a step and 2 pixels (no offset); 30 is 3 past it, which completes a step in 180 ms.
    panBy(29, 0);
    EXPECT_EQ(std::tuple(chart.xAxis().first, chart.animating()), std::tuple(-1.0, false));
    panBy(30, 1000);
    ASSERT_EQ(std::tuple(chart.xAxis().first, chart.animating(), window.animationsStarted), std::tuple(-1.5, true, 1));
    EXPECT_TRUE(chart.animate(1090));
    EXPECT_EQ(chart.panOffset().x, 15); // halfway from 3 to 27
    EXPECT_FALSE(chart.animate(1180));
    EXPECT_EQ(std::tuple(chart.xAxis().first, chart.panOffset(), chart.viewRange().minX), std::tuple(-2.0, Point{}, -2.0));
}

TEST_F(ChartTest, TrackCursorHighlightsThenLocksOneCurve)
{
    const double x[] = {0, 10}, y[] = {2, 2};
    Curve flat(x, y, 2, kRed);
    chart.addCurve(flat);
    chart.recalcLayout();
    chart.setMouseMode(kChartTrack);
    chart.mouseMove(at(5, 5));
    EXPECT_EQ(std::tuple(chart.selectedCurve(), ramp.colour()), std::tuple(0, 0xFFFFFFu)); // highlighted under the mouse
    chart.mouseMove(at(5, 8));
    EXPECT_EQ(std::tuple(chart.selectedCurve(), ramp.colour()), std::tuple(-1, kGreen));
    // A click 5 pixels above the flat curve is outside the box, 4 pixels above inside: it locks, in its own colour.
    chart.buttonUp({at(3, 2).x, at(3, 2).y - 5}, 0);
    EXPECT_FALSE(chart.curveLocked());
    chart.buttonUp({at(3, 2).x, at(3, 2).y - 4}, 0);
    EXPECT_EQ(std::tuple(chart.curveLocked(), chart.selectedCurve(), flat.colour()), std::tuple(true, 1, kRed));
    chart.buttonUp(at(5, 5), 0); // on the ramp: the lock holds until the mode is chosen again
    EXPECT_EQ(chart.selectedCurve(), 1);
    chart.setMouseMode(kChartTrack);
    EXPECT_FALSE(chart.curveLocked());
}

TEST_F(ChartTest, CopyInvertsTheFrameColoursButNeverTheCurves)
{
    // Inverted (the Copy command): white under the chart and the caption's strip, black text.
    for (const auto& [invert, background, text] : {std::tuple(true, 0xFFFFFFu, 0u), std::tuple(false, 0u, 0xFFFFFFu)}) {
        ASSERT_TRUE(chart.copyToClipboard("Layer graph", invert));
        const test::RecordingCanvas& copied = window.copied;
        EXPECT_EQ(std::tuple(window.copiedSize, copied.ofKind(CanvasOp::FillRect).front().colour,
                             copied.ofKind(CanvasOp::SetTextColour).front().colour,
                             copied.ofKind(CanvasOp::Polyline).front().pen.colour),
                  std::tuple(Size{600, 432}, background, text, kGreen));
    }
}

TEST_F(ChartTest, ReadoutReadsTheLockedCurveUnderTheMouse)
{
    chart.xUnit = chart.yUnit = "um";
    chart.mouseMove({336, 300});
    const std::string tracking = chart.readout();
    chart.setMouseMode(kChartPan);
    EXPECT_EQ(std::tuple(tracking, chart.readout()), std::tuple("5.5um ,1.125um", ""));

    chart.setMouseMode(kChartTrack);
    chart.buttonUp(at(5, 5), 0);
    ASSERT_TRUE(chart.curveLocked());
    chart.mouseMove({336, 300});
    EXPECT_EQ(chart.readout(), "5.5um ,5.5um");

    chart.resized();
    EXPECT_EQ(chart.readout(), ""); // after a resize the mouse is nowhere until it moves
}

TEST_F(ChartTest, PrintFitsTheMarginsAndFollowsTheAlignmentCodes)
{
    // A 600 dpi page of 8 x 10.67 in; half-inch margins leave 4200 x 5800 pixels.
    const Rect page{0, 0, 4800, 6400};
    ChartPageSettings settings;
    settings.verticalAlign = 'B';
    const PrintPlacement placed = chart.placeForPrint(page, 600, 600, settings);
    // 4200 / 600 across, the narrower fit; centred across, at the bottom margin.
    EXPECT_EQ(std::tuple(placed.factor, placed.origin), std::tuple(7.0, Point{300, 6100 - 3024}));
}

} // namespace
} // namespace lm
