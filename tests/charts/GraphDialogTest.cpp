// The graph dialogs over fake controls and a scripted calculator: the
// loss-vs-frequency graph and the width-vs-separation sweep.
#include "charts/LossCurveDialog.h"
#include "charts/Z0CurveDialog.h"
#include "GraphDialogFakes.h"
#include "HeadlessPlatform.h"
#include "MemoryProfileStore.h"
#include "ScriptedZ0Calculator.h"

#include "document/EditSettings.h"
#include "model/LayerRecord.h"
#include "res/ChartResources.h"
#include "res/CommandIds.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>
#include <vector>

namespace lm {
namespace {

using namespace res;
using test::FakeDialogControls;

constexpr Size kScreen{1920, 1080};

// Resistive attenuation falls with frequency, dielectric rises; they meet at 10^(4/3) = 21.54 MHz.
bool crossingLoss(const double* f, double* r, double* a, double* ar, double* ad)
{
    for (int i = 0; i < CLossCurve::kPoints; ++i) {
        const double mhz = f[i] / 1e6;
        r[i] = 1 + mhz;
        ar[i] = 10 / std::sqrt(mhz);
        ad[i] = mhz / 10;
        a[i] = ar[i] + ad[i];
    }
    return true;
}

// What both graph dialogs work with: the calculator in the settings, the controls and the chart's window.
struct GraphTest : ::testing::Test {
    test::ScriptedZ0Calculator calculator;
    LMEDITSETTINGS settings;
    FakeDialogControls controls;
    test::FakeChartWindow window;
    GraphTest() { settings.z0Calculator = &calculator; }
};

struct LossCurveTest : GraphTest {
    test::MemoryProfileStore profile;
    test::HeadlessPlatform platform;

    void SetUp() override
    {
        settings.currentBoardId = 7;
        calculator.loss = crossingLoss;
    }
    void open(CLossCurve& dialog)
    {
        dialog.chart().attach(&window);
        dialog.initDialog(controls, kScreen);
    }
};

TEST(LossCrossing, InterpolatesFromTheHighestChangeAndNeedsOne)
{
    const std::vector<double> f{1, 2, 3, 4}, r{5, 5, 5, 5};
    // D - R: -2, -1, +1, +3: the change lies between 2 and 3, where D - R is 0 at 2.5. Below
    // everywhere: none. Touching equal at two neighbours: no slope, no crossing. Two: the highest wins.
    EXPECT_EQ((std::vector<double>{dielectricCrossing(f, r, {3, 4, 6, 8}), dielectricCrossing(f, r, {1, 2, 3, 4}),
                                   dielectricCrossing(f, r, {1, 2, 5, 5}), dielectricCrossing(f, r, {6, 4, 4, 6})}),
              (std::vector<double>{2.5, 0, 0, 3.5}));
}

TEST_F(LossCurveTest, OpensOnTheStoredViewWithOneCalcLoss)
{
    profile.set("LossCurveDialog", "WhatToShow", 1);
    CLossCurve dialog(settings, 3, profile, platform);
    open(dialog);
    EXPECT_EQ(std::tuple(calculator.calls, controls.ended), std::tuple(std::vector<std::string>{"CalcLoss 7 3 101"}, 0));
    EXPECT_EQ(std::tuple(controls.texts[IDC_LOSS_MIN], controls.texts[IDC_LOSS_MAX]), std::tuple("0.1", "10000"));
    EXPECT_TRUE(controls.isChecked(IDC_LOSS_ATTENUATION));
    // Attenuation with both parts; the crossing in MHz, between grid points, interpolated linearly.
    const CChartControl& chart = dialog.chart();
    EXPECT_EQ(std::tuple(chart.curveCount(), chart.yTitle, chart.xTitle, chart.engineeringPrefixes, chart.xAxis().log),
              std::tuple(3, "Attenuation (dB/m)", "Frequency (MHz)", false, true));
    EXPECT_EQ(controls.texts[IDC_LOSS_CROSSING], "21.56 MHz");
    EXPECT_NEAR(dialog.resistance().points()[20].x, 1.0, 1e-12); // f[20] is 1 MHz on the log grid

    // Log y, Resistive and Dielectric redraw without a calculator call.
    controls.checked[IDC_LOSS_SHOW_DIELECTRIC] = false;
    dialog.optionToggled();
    EXPECT_EQ(std::tuple(chart.curveCount(), calculator.calls.size()), std::tuple(2, 1u));
    // The resistance view: one curve, without the crossing.
    controls.checked[IDC_LOSS_ATTENUATION] = false;
    controls.checked[IDC_LOSS_RESISTANCE] = true;
    dialog.viewChosen();
    EXPECT_EQ(std::tuple(chart.curveCount(), chart.yTitle, controls.isShown(IDC_LOSS_CROSSING)),
              std::tuple(1, std::string("Resistance (ohm/m)"), false));
}

TEST_F(LossCurveTest, RangeChecksRefuseWithTheirMessagesAndComputeNothing)
{
    CLossCurve dialog(settings, 0, profile, platform);
    open(dialog);
    ASSERT_EQ(calculator.calls.size(), 1u);
    // The box takes the focus from the other edit: that check waits, so no second box stacks on the first.
    platform.whileMessageOpen = [&] { dialog.rangeEditLeft(IDC_LOSS_MIN, false); };

    controls.texts[IDC_LOSS_MAX] = "0.1"; // equal to the minimum
    dialog.rangeEditLeft(IDC_LOSS_MAX, false);
    dialog.rangeEditLeft(IDC_LOSS_MAX, true); // to Close or out of the dialog: no check
    EXPECT_EQ(controls.focused, std::vector<uint32_t>{IDC_LOSS_MAX});
    controls.texts[IDC_LOSS_MIN] = "0"; // below the least value of the edit
    dialog.rangeEditLeft(IDC_LOSS_MIN, false);
    using Box = test::ShownMessage;
    EXPECT_EQ(platform.messages,
              (std::vector<Box>{{"Maximum frequency value must be greater than minimum frequency value.",
                                 MessageButtons::Ok, MessageIcon::Exclamation},
                                {"Please enter a number between 0.0001 and 100000.", MessageButtons::Ok,
                                 MessageIcon::Exclamation}}));
    EXPECT_EQ(calculator.calls.size(), 1u);

    controls.texts[IDC_LOSS_MIN] = "1";
    controls.texts[IDC_LOSS_MAX] = "101";
    controls.checked[IDC_LOSS_LOG_X] = false;
    dialog.rangeEditLeft(IDC_LOSS_MAX, false);
    // 1 to 101 MHz: steps of exactly 1 MHz.
    EXPECT_EQ(std::tuple(calculator.calls.size(), dialog.resistance().points()[1].x), std::tuple(2u, 2.0));
}

TEST_F(LossCurveTest, NoLossDataClosesAtOpeningAndBlanksTheChartLater)
{
    calculator.loss = nullptr; // no loss data
    CLossCurve dialog(settings, 0, profile, platform);
    open(dialog);
    EXPECT_EQ(platform.messages, (std::vector<test::ShownMessage>{
                                     {"Calculation of loss data is physically impossible;\nCheck for unusual geometry "
                                      "or no plane layers present",
                                      MessageButtons::Ok, MessageIcon::Exclamation}}));
    EXPECT_EQ(controls.ended, 1);

    calculator.loss = crossingLoss;
    FakeDialogControls later;
    CLossCurve working(settings, 0, profile, platform);
    working.initDialog(later, kScreen);
    ASSERT_TRUE(later.isShown(IDC_CHART));
    calculator.loss = nullptr;
    working.logXToggled();
    EXPECT_EQ(std::tuple(later.isShown(IDC_CHART), later.isShown(IDC_LOSS_NO_DATA), later.ended), std::tuple(false, true, 0));
}

TEST_F(LossCurveTest, CloseStoresTheOptionsAndTheWindow)
{
    CLossCurve dialog(settings, 0, profile, platform);
    open(dialog);
    controls.checked[IDC_LOSS_LOG_Y] = true;
    dialog.close({100, 50, 2100, 700});
    EXPECT_EQ(std::tuple(controls.ended, profile.readInt("LossCurveDialog", "LogYaxis", 0),
                         profile.readInt("LossCurveDialog", "WndRight", 0)),
              std::tuple(1, 1, 2100));
    EXPECT_GE(profile.flushes, 1);

    // The next opening clamps the right edge to the screen and takes the rectangle when large enough.
    CLossCurve next(settings, 0, profile, platform);
    next.setMinimumSize({600, 400});
    FakeDialogControls again;
    next.initDialog(again, kScreen);
    EXPECT_EQ(next.storedWindow(), (Rect{100, 50, 1920, 700}));
    next.setMinimumSize({600, 700});
    EXPECT_EQ(next.storedWindow(), std::nullopt);
}

struct Z0CurveTest : GraphTest {
    LMLAYEREX layer{};

    void SetUp() override
    {
        calculator.solvedOtherwise = 0; // no width for any separation
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

TEST_F(Z0CurveTest, SeparationsSweepTwoDecadesAndOnlyTheFifthToTwelfthWidthInRangeMakeEightPoints)
{
    calculator.solve = [](int call, double separation) { return call >= 5 && call <= 12 ? separation : 0.0; };
    CZ0CurveDialog dialog(settings, layer);
    dialog.chart().attach(&window);
    dialog.initDialog(controls);
    EXPECT_EQ(std::tuple(controls.progress[IDC_CURVE_PROGRESS], controls.isEnabled(IDC_GRAPH_COPY),
                         dialog.sizingBlocked()),
              std::tuple(0, false, true));
    dialog.onIdle();
    EXPECT_EQ(controls.progress[IDC_CURVE_PROGRESS], 5);
    sweep(dialog);
    // The 13th call is out of range after plotted ones: the end. Sizing is released at the end of every sweep.
    EXPECT_FALSE(dialog.onIdle());
    EXPECT_EQ(std::tuple(calculator.known.size(), dialog.curve().size(), dialog.finished(), dialog.sizingBlocked()),
              std::tuple(13u, 8u, true, false));
    EXPECT_EQ(calculator.known[0], 2.5e-5);
    EXPECT_DOUBLE_EQ(calculator.known[1], 2.5e-5 * std::pow(100.0, 1.0 / 19));
    // Rounded to the unit's one decimal: 65.92 um.
    EXPECT_EQ(dialog.curve().points()[0], (VEC2{65.9, 65.9}));
    const CChartControl& chart = dialog.chart();
    EXPECT_EQ(std::tuple(controls.isShown(IDC_CHART), controls.texts[IDCANCEL], chart.xUnit, chart.xTitle, chart.yTitle),
              std::tuple(true, "Close", "um", "Separation", "Trace Width"));
}

TEST_F(Z0CurveTest, ACalculatorThatNeverAnswersMakesTwentyCallsAndSaysSo)
{
    CZ0CurveDialog dialog(settings, layer);
    dialog.initDialog(controls);
    // The template hides the chart; nothing shows it.
    const int passes = sweep(dialog);
    EXPECT_EQ(std::tuple(passes, calculator.known.size(), controls.progress[IDC_CURVE_PROGRESS],
                         controls.isShown(IDC_CURVE_NO_DATA), controls.shown.count(IDC_CHART), dialog.chart().curveCount()),
              std::tuple(19, 20u, 100, true, 0u, 0));
}

TEST_F(Z0CurveTest, CancelStopsTheSweepAtOnce)
{
    calculator.solve = [](int, double) { return 1e-4; };
    CZ0CurveDialog dialog(settings, layer);
    dialog.initDialog(controls);
    dialog.onIdle();
    dialog.onIdle();
    EXPECT_TRUE(dialog.onCommand(IDCANCEL));
    EXPECT_FALSE(dialog.onIdle());
    EXPECT_EQ(std::tuple(controls.ended, dialog.separation(), dialog.sizingBlocked(), calculator.known.size()),
              std::tuple(1, 0.00255, false, 2u));
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

} // namespace
} // namespace lm
