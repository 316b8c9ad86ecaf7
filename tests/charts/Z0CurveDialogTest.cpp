#include "charts/Z0CurveDialog.h"
#include "ChartFixture.h"
#include "GraphDialogFakes.h"

#include "document/EditSettings.h"
#include "model/LayerRecord.h"
#include "res/ChartResources.h"
#include "res/CommandIds.h"

#include <gtest/gtest.h>

#include <cmath>

namespace lm {
namespace {

using namespace res;
using test::FakeDialogControls;
using test::ScriptedCalculator;

struct Z0CurveTest : ::testing::Test {
    ScriptedCalculator calculator;
    LMEDITSETTINGS settings;
    LMLAYEREX layer{};
    FakeDialogControls controls;
    test::FakeChartWindow window;

    void SetUp() override
    {
        settings.z0Calculator = &calculator;
        LMUNIT unit = metricUnit(); // um
        unit.nLengthDigits = 1;
        settings.units = {unit};
        setLayerName(layer, "Signal 1");
        layer.dTargetZ0 = 99.9;
        controls.texts[IDC_CURVE_CLOSE_CAPTION] = "Close";
        controls.texts[IDCANCEL] = "Cancel";
    }
    // Runs idle passes until the dialog asks for no more; returns how many it asked for.
    int sweep(CZ0CurveDialog& dialog)
    {
        int passes = 0;
        while (dialog.onIdle() && passes < 100)
            ++passes;
        return passes;
    }
};

TEST_F(Z0CurveTest, WidthsInRangeOnlyForTheFifthToTwelfthSeparationMakeEightPoints)
{
    calculator.width = [](int call, double) { return call >= 5 && call <= 12 ? 1e-4 : 0.0; };
    CZ0CurveDialog dialog(settings, layer);
    dialog.chart().attach(&window);
    dialog.initDialog(controls);
    EXPECT_TRUE(dialog.sizingBlocked());
    sweep(dialog);
    EXPECT_EQ(calculator.solveCalls, 13); // the 13th is out of range after plotted ones: the end
    EXPECT_EQ(dialog.curve().size(), 8u);
    EXPECT_TRUE(dialog.finished());
    EXPECT_FALSE(dialog.onIdle());
    EXPECT_EQ(calculator.solveCalls, 13);
    EXPECT_TRUE(controls.isShown(IDC_CHART));
    EXPECT_FALSE(controls.isShown(IDC_CURVE_PROGRESS));
    EXPECT_EQ(controls.texts[IDCANCEL], "Close");
    EXPECT_TRUE(controls.isEnabled(IDC_GRAPH_COPY));
    EXPECT_FALSE(dialog.sizingBlocked()); // released at the end of every sweep
    EXPECT_EQ(dialog.chart().curveCount(), 1);
    EXPECT_EQ(dialog.chart().xUnit, "um");
    EXPECT_EQ(dialog.chart().xTitle, "Separation");
    EXPECT_EQ(dialog.chart().yTitle, "Trace Width");
    EXPECT_EQ(dialog.curve().colour(), 0x00FF00u);
}

TEST_F(Z0CurveTest, SeparationsSweepTwoDecadesInTheCurrentUnit)
{
    calculator.width = [](int, double separation) { return separation < 5e-4 ? separation : 0.0; };
    CZ0CurveDialog dialog(settings, layer);
    dialog.initDialog(controls);
    EXPECT_EQ(controls.progress[IDC_CURVE_PROGRESS], 0);
    EXPECT_FALSE(controls.isEnabled(IDC_GRAPH_COPY)); // until the sweep ends
    dialog.onIdle();
    EXPECT_EQ(controls.progress[IDC_CURVE_PROGRESS], 5);
    sweep(dialog);
    ASSERT_GE(calculator.separations.size(), 2u);
    EXPECT_EQ(calculator.separations[0], 2.5e-5);
    EXPECT_DOUBLE_EQ(calculator.separations[1], 2.5e-5 * std::pow(100.0, 1.0 / 19));
    EXPECT_EQ(dialog.curve().points()[0], (VEC2{25.0, 25.0}));
    EXPECT_EQ(dialog.curve().points()[1].x, 31.9); // rounded to the unit's one decimal
}

TEST_F(Z0CurveTest, ACalculatorThatNeverAnswersMakesTwentyCallsAndSaysSo)
{
    CZ0CurveDialog dialog(settings, layer);
    dialog.initDialog(controls);
    EXPECT_EQ(sweep(dialog), 19);
    EXPECT_EQ(calculator.solveCalls, 20);
    EXPECT_EQ(controls.progress[IDC_CURVE_PROGRESS], 100);
    EXPECT_TRUE(controls.isShown(IDC_CURVE_NO_DATA));
    EXPECT_EQ(controls.shown.count(IDC_CHART), 0u); // the template hides it; nothing shows it
    EXPECT_EQ(dialog.chart().curveCount(), 0);

    // One point is no curve either.
    ScriptedCalculator once;
    once.width = [](int call, double) { return call == 3 ? 1e-4 : 0.0; };
    settings.z0Calculator = &once;
    FakeDialogControls other;
    CZ0CurveDialog single(settings, layer);
    single.initDialog(other);
    sweep(single);
    EXPECT_EQ(single.curve().size(), 1u);
    EXPECT_TRUE(other.isShown(IDC_CURVE_NO_DATA));
}

TEST_F(Z0CurveTest, CancelStopsTheSweepAtOnce)
{
    calculator.width = [](int, double) { return 1e-4; };
    CZ0CurveDialog dialog(settings, layer);
    dialog.initDialog(controls);
    dialog.onIdle();
    dialog.onIdle();
    EXPECT_TRUE(dialog.onCommand(IDCANCEL));
    EXPECT_EQ(controls.ended, 1);
    EXPECT_EQ(dialog.separation(), 0.00255);
    EXPECT_FALSE(dialog.sizingBlocked());
    EXPECT_FALSE(dialog.onIdle());
    EXPECT_EQ(calculator.solveCalls, 2);
}

TEST_F(Z0CurveTest, TitleShortensLongNamesAndTruncatesTheTarget)
{
    EXPECT_EQ(z0CurveTitle(layer), "Layer \"Signal 1\" - Width-vs-Separation Graph for Differential Z0 = 99 Ohm");
    setLayerName(layer, "ABCDEFGHI");
    EXPECT_EQ(z0CurveTitle(layer).substr(0, 17), "Layer \"ABCDEF...\"");
    setLayerName(layer, "Lag\xC3\xA9_ABCD"); // 9 characters, 10 bytes: the accent stays whole
    EXPECT_EQ(z0CurveTitle(layer).substr(0, 18), "Layer \"Lag\xC3\xA9_A...\"");
    setLayerName(layer, "");
    layer.dTargetZ0 = 100;
    EXPECT_EQ(z0CurveTitle(layer), "Layer \"<Unnamed>\" - Width-vs-Separation Graph for Differential Z0 = 100 Ohm");

    CZ0CurveDialog dialog(settings, layer);
    dialog.initDialog(controls);
    EXPECT_EQ(controls.windowTitle, z0CurveTitle(layer));
}

TEST_F(Z0CurveTest, ResizingKeepsMarginsAndButtonCornersAndAMinimumChart)
{
    CZ0CurveDialog dialog(settings, layer);
    dialog.recordLayout({540, 400}, {10, 10, 530, 350}, {450, 365, 530, 390}, {290, 365, 370, 390},
                        {370, 365, 450, 390});
    const auto placed = dialog.layoutFor({740, 500});
    ASSERT_EQ(placed.size(), 4u);
    EXPECT_EQ(placed[0], (std::pair<uint32_t, Rect>{IDC_CHART, {10, 10, 730, 450}}));
    EXPECT_EQ(placed[1], (std::pair<uint32_t, Rect>{IDCANCEL, {650, 465, 730, 490}}));
    // Copy's 250 from the right plus Cancel's 90 less its 80: 260; 20 caption + 10 + 50 + 128.
    EXPECT_EQ(dialog.minimumTrackingSize(20), (Size{260, 208}));
}

} // namespace
} // namespace lm
