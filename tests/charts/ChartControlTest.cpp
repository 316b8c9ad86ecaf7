#include "charts/ChartControl.h"
#include "ChartFixture.h"

#include <gtest/gtest.h>

namespace lm {
namespace {

using test::CanvasOp;
using test::FakeChartWindow;
using test::RecordingCanvas;

constexpr uint32_t kGreen = 0x00FF00;
constexpr uint32_t kRed = 0x0000FF;

// The ramp y = x over 0..10 in a 600 x 400 window: steps of 0.5 across
// (54 pixels a unit from x 39), of 1 up (32 pixels a unit from y 336).
struct ChartTest : ::testing::Test {
    FakeChartWindow window;
    CChartControl chart;
    Curve ramp = test::rampCurve(kGreen);

    void SetUp() override
    {
        chart.attach(&window);
        chart.addCurve(ramp);
        chart.recalcLayout();
    }
    // A second curve: y = 2 across, in red, added after the ramp.
    Curve flat = [] {
        const double x[] = {0, 10};
        const double y[] = {2, 2};
        return Curve(x, y, 2, kRed);
    }();
    void addFlat()
    {
        chart.addCurve(flat);
        chart.recalcLayout();
    }
    Point at(double x, double y) const { return {chart.xPixel(x), chart.yPixel(y)}; }
    void drag(Point from, Point to, int64_t nowMs = 0)
    {
        chart.buttonDown(from);
        chart.mouseMove(to);
        chart.buttonUp(to, nowMs);
    }
    // A pan drag as a hand moves: one pixel at a time.
    void panBy(Point from, int32_t dx, int64_t releaseMs)
    {
        chart.buttonDown(from);
        for (int32_t i = 1; i <= dx; ++i)
            chart.mouseMove({from.x + i, from.y});
        chart.buttonUp({from.x + dx, from.y}, releaseMs);
    }
};

TEST(Curve, BoundsWidenPointByPointAndSetPointLeavesThem)
{
    const double x[] = {3, 1, 5};
    const double y[] = {2, 4, 0};
    Curve curve(x, y, 3, kRed);
    EXPECT_EQ(curve.bounds(), (CurveBounds{1, 0, 5, 4}));
    curve.setPoint(5, {9, 9}); // past the end: the curve grows
    EXPECT_EQ(curve.size(), 6u);
    EXPECT_EQ(curve.bounds(), (CurveBounds{1, 0, 5, 4}));
    curve.recalcBounds();
    EXPECT_EQ(curve.bounds(), (CurveBounds{0, 0, 9, 9})); // the grown gap holds (0, 0) points
    curve.removeAllPoints();
    curve.recalcBounds();
    EXPECT_EQ(curve.bounds(), CurveBounds{});
}

TEST_F(ChartTest, AxesSpanWholeStepsFromEdgeToEdgeOfThePlot)
{
    EXPECT_EQ(chart.plot(), (Rect{39, 16, 579, 336}));
    EXPECT_EQ(chart.xAxis().step, 0.5);
    EXPECT_EQ(chart.yAxis().step, 1);
    EXPECT_EQ(at(0, 0), (Point{39, 336}));
    EXPECT_EQ(at(10, 10), (Point{579, 16}));
    EXPECT_EQ(chart.xValueAt(309), 5);
    EXPECT_EQ(chart.yValueAt(176), 5);
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
    EXPECT_TRUE(chart.xAxis().log);
    EXPECT_TRUE(chart.yAxis().log);
    EXPECT_DOUBLE_EQ(chart.viewRange().minY, 0.3); // a decade each side on a log axis
    chart.setLogScale(false, false);
    EXPECT_EQ(chart.viewRange().minY, 2.5);
    EXPECT_EQ(chart.viewRange().maxY, 3.5);

    chart.addCurve(ramp); // x from 0: a log x axis is refused
    chart.setLogScale(true, false);
    EXPECT_FALSE(chart.xAxis().log);
    EXPECT_EQ(chart.dataRange(), (ChartRange{0, 0, 100, 10}));
}

TEST_F(ChartTest, ZoomIgnoresClicksAndStopsAtSixtyFourTimes)
{
    const ChartRange full = chart.viewRange();
    drag({100, 100}, {101, 200}); // one pixel wide
    EXPECT_EQ(chart.viewRange(), full);
    EXPECT_FALSE(window.captured);

    drag({100, 100}, {103, 300}); // 3 pixels across: 0.056 of a data range of 10
    const ChartRange zoomed = chart.viewRange();
    EXPECT_DOUBLE_EQ(zoomed.maxX - zoomed.minX, 10.0 / 64);
    EXPECT_DOUBLE_EQ((zoomed.maxX + zoomed.minX) / 2, (61.0 / 54 + 64.0 / 54) / 2);
    EXPECT_DOUBLE_EQ(zoomed.minY, 36.0 / 32); // 200 pixels high is within the limit
    EXPECT_DOUBLE_EQ(zoomed.maxY, 236.0 / 32);

    chart.doubleClick();
    EXPECT_EQ(chart.viewRange(), full);
}

TEST_F(ChartTest, ZoomBandShowsWhileDragging)
{
    chart.buttonDown({100, 100});
    chart.mouseMove({150, 120});
    EXPECT_EQ(chart.rubberBand(), (Rect{100, 100, 151, 121}));
    RecordingCanvas canvas;
    chart.paint(canvas);
    const auto rects = canvas.ofKind(CanvasOp::Rectangle);
    ASSERT_FALSE(rects.empty());
    EXPECT_TRUE(rects.back().xorOn);
    EXPECT_EQ(rects.back().pen.colour, 0x5C5C5Cu);
}

TEST_F(ChartTest, PanSnapsToWholeStepsAndCompletesAStartedOne)
{
    chart.setMouseMode(kChartPan);
    ASSERT_EQ(chart.xAxis().stepPixels(), 27);
    // 25 pixels: within 2 of a step, so one step is taken; the 2 left over count as 0.
    panBy({200, 200}, 25, 0);
    EXPECT_EQ(chart.xAxis().first, -0.5);
    EXPECT_EQ(chart.xAxis().last, 9.5);
    EXPECT_EQ(chart.panOffset(), Point{});
    EXPECT_EQ(window.animationsStarted, 0);

    // 25 + 4: a step and 2 pixels (no offset); 25 + 5 is 3 past it, which completes a step.
    panBy({200, 200}, 29, 0);
    EXPECT_EQ(chart.xAxis().first, -1.0);
    EXPECT_FALSE(chart.animating());
    panBy({200, 200}, 30, 1000);
    EXPECT_EQ(chart.xAxis().first, -1.5);
    ASSERT_TRUE(chart.animating());
    EXPECT_EQ(window.animationsStarted, 1);
    EXPECT_TRUE(chart.animate(1090));
    EXPECT_EQ(chart.panOffset().x, 15); // halfway from 3 to 27
    EXPECT_FALSE(chart.animate(1180));
    EXPECT_EQ(chart.xAxis().first, -2.0);
    EXPECT_EQ(chart.panOffset(), Point{});
    EXPECT_EQ(chart.viewRange().minX, -2.0);

    // Dragging up shows lower y values.
    chart.buttonDown({300, 200});
    for (int32_t i = 1; i <= 30; ++i)
        chart.mouseMove({300, 200 - i});
    EXPECT_EQ(chart.yAxis().first, -1);
    EXPECT_EQ(chart.panOffset().y, 0); // 32 pixels a step: 30 is within 2 of it
}

TEST_F(ChartTest, TrackCursorHighlightsThenLocksOneCurve)
{
    addFlat();
    chart.setMouseMode(kChartTrack);

    chart.mouseMove(at(5, 5));
    EXPECT_EQ(chart.selectedCurve(), 0);
    EXPECT_EQ(ramp.colour(), 0xFFFFFFu); // highlighted while under the mouse
    chart.mouseMove(at(5, 8));
    EXPECT_EQ(chart.selectedCurve(), -1);
    EXPECT_EQ(ramp.colour(), kGreen);

    Point near = at(3, 2);
    near.y -= 5; // 5 pixels above the flat curve: outside the box
    chart.buttonUp(near, 0);
    EXPECT_FALSE(chart.curveLocked());
    near.y += 1; // 4 pixels above: inside
    chart.buttonUp(near, 0);
    EXPECT_TRUE(chart.curveLocked());
    EXPECT_EQ(chart.selectedCurve(), 1);
    EXPECT_EQ(flat.colour(), kRed); // locked curves show their own colour
    EXPECT_EQ(chart.cursorId(), 0u);

    chart.buttonUp(at(5, 5), 0); // on the ramp: the lock holds
    EXPECT_EQ(chart.selectedCurve(), 1);
    chart.setMouseMode(kChartTrack);
    EXPECT_FALSE(chart.curveLocked());
    chart.buttonUp(at(5, 5), 0);
    EXPECT_EQ(chart.selectedCurve(), 0);
}

TEST_F(ChartTest, ReadoutReadsTheLockedCurveUnderTheMouseAndDrawsACrosshair)
{
    chart.xUnit = "um";
    chart.yUnit = "um";
    chart.mouseMove({336, 300});
    EXPECT_EQ(chart.readout(), "5.5um ,1.125um");
    chart.setMouseMode(kChartPan);
    EXPECT_EQ(chart.readout(), "");

    chart.setMouseMode(kChartTrack);
    chart.buttonUp(at(5, 5), 0);
    ASSERT_TRUE(chart.curveLocked());
    chart.mouseMove({336, 300});
    EXPECT_EQ(chart.readout(), "5.5um ,5.5um");
    RecordingCanvas canvas;
    chart.paint(canvas);
    int crosshair = 0;
    for (const test::CanvasCall& call : canvas.ofKind(CanvasOp::Line))
        crosshair += call.xorOn;
    EXPECT_EQ(crosshair, 2);

    chart.resized();
    EXPECT_EQ(chart.readout(), ""); // after a resize the mouse is nowhere until it moves
}

TEST_F(ChartTest, CurvesDrawLastAddedFirstInTheirColours)
{
    addFlat();
    RecordingCanvas canvas;
    chart.paint(canvas);
    const auto lines = canvas.ofKind(CanvasOp::Polyline);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].pen.colour, kRed);
    EXPECT_EQ(lines[1].pen.colour, kGreen);
    EXPECT_EQ(lines[1].points.front(), at(0, 0));
    EXPECT_EQ(lines[1].points.back(), at(10, 10));
}

TEST_F(ChartTest, CopyInvertsTheFrameColoursButNeverTheCurves)
{
    ASSERT_TRUE(chart.copyToClipboard("Layer graph", true));
    EXPECT_EQ(window.copiedSize, (Size{600, 432})); // two label heights for the caption
    const auto fills = window.copied.ofKind(CanvasOp::FillRect);
    ASSERT_FALSE(fills.empty());
    EXPECT_EQ(fills.front().colour, 0xFFFFFFu);
    EXPECT_EQ(fills.front().rect, (Rect{0, 0, 600, 432})); // the caption's strip too
    EXPECT_EQ(window.copied.ofKind(CanvasOp::SetTextColour).front().colour, 0x000000u);
    EXPECT_EQ(window.copied.ofKind(CanvasOp::Polyline).front().pen.colour, kGreen);
    const auto texts = window.copied.ofKind(CanvasOp::Text);
    EXPECT_EQ(texts.back().text, "Layer graph");
    EXPECT_EQ(texts.back().rect.top, 336 + 4 * 16);

    ASSERT_TRUE(chart.copyToClipboard("Layer graph", false));
    EXPECT_EQ(window.copied.ofKind(CanvasOp::FillRect).front().colour, 0x000000u);
    EXPECT_EQ(window.copied.ofKind(CanvasOp::Polyline).front().pen.colour, kGreen);

    window.clipboardWorks = false;
    EXPECT_FALSE(chart.copyToClipboard("Layer graph", true));
}

TEST_F(ChartTest, PrintFitsTheMarginsAndFollowsTheAlignmentCodes)
{
    // A 600 dpi page of 8 x 10.67 in; half-inch margins leave 4200 x 5800 pixels.
    const Rect page{0, 0, 4800, 6400};
    ChartPageSettings settings;
    PrintPlacement placed = chart.placeForPrint(page, 600, 600, settings);
    EXPECT_EQ(placed.factor, 7); // 4200 / 600 across, the narrower fit
    EXPECT_EQ(placed.origin, (Point{300, 300 + (5800 - 3024) / 2}));
    settings.verticalAlign = 'T';
    EXPECT_EQ(chart.placeForPrint(page, 600, 600, settings).origin.y, 300);
    settings.verticalAlign = 'B';
    EXPECT_EQ(chart.placeForPrint(page, 600, 600, settings).origin.y, 6100 - 3024);
    settings.scalePercent = 50;
    settings.horizontalAlign = 'R';
    placed = chart.placeForPrint(page, 600, 600, settings);
    EXPECT_EQ(placed.factor, 3.5);
    EXPECT_EQ(placed.origin.x, 4500 - 2100);
    settings.horizontalAlign = 'L';
    EXPECT_EQ(chart.placeForPrint(page, 600, 600, settings).origin.x, 300);

    chart.removeAllCurves();
    EXPECT_FALSE(chart.print("Graph")); // nothing to print without a curve
    EXPECT_EQ(window.printed, 0);
}

TEST_F(ChartTest, MonochromePrintersGetBlackPensAndDottedGrids)
{
    RecordingCanvas colour;
    chart.drawForPrint(colour, "Graph", true);
    EXPECT_EQ(colour.ofKind(CanvasOp::FillRect).front().colour, 0xFFFFFFu);
    const auto colourLines = colour.ofKind(CanvasOp::Line);
    ASSERT_FALSE(colourLines.empty());
    EXPECT_EQ(colourLines.front().pen, (Pen{PenStyle::Solid, 0x7F7F7F, 1}));

    RecordingCanvas mono;
    chart.drawForPrint(mono, "Graph", false);
    EXPECT_EQ(mono.ofKind(CanvasOp::Line).front().pen, (Pen{PenStyle::Dotted, 0x000000, 1}));
    EXPECT_EQ(mono.texts().back(), "Graph");
}

} // namespace
} // namespace lm
