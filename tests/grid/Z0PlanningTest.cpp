// Z0 planning in the layer grid, against a scripted calculator that records
// its calls: what one refresh asks and in which order, how the answers show,
// the planning modes of the property bar, Apply as Test Width and the View...
// buttons.
#include "RowTexts.h"
#include "ScriptedZ0Calculator.h"

#include "document/TabDescr.h"
#include "res/CommandIds.h"
#include "ui/GridBarCommands.h"

#include <gtest/gtest.h>

namespace lm {
namespace {

using test::layerOf;
using Calls = std::vector<std::string>;
using test::Texts;

const Calls kAutoErAndZ0{"ApplyAutoEr Bottom", "ApplyAutoEr GND", "ApplyAutoEr Top", "CalcStackupZ0 1 0"};

// Plating, Top, Core, GND, Prepreg, Bottom: the plating coats the top signal.
std::vector<LMLAYEREX> platedBoard()
{
    return {layerOf(kPlating, "Plate"),     layerOf(kSignal, "Top", rgb(255, 0, 0)),
            layerOf(kSubstrate, "Core"),    layerOf(kSolidPlane, "GND", rgb(0, 0, 255)),
            layerOf(kSubstrate, "Prepreg"), layerOf(kSignal, "Bottom", rgb(0, 255, 0))};
}

struct PlanningFixture {
    test::GridFixture f;
    test::ScriptedZ0Calculator calculator;
    std::vector<std::vector<double>> pictureZ0; // every array handed to the picture
    std::vector<std::string> opened;            // the View... buttons' dialogs

    explicit PlanningFixture(bool withCalculator = true)
        : f(platedBoard(), kDefaultCaps | kCapDiffPairPlanning | kCapLossValues)
    {
        calculator.z0 = {0.0, 50.24, 0.0, 0.0, 0.0, 49.96};
        if (withCalculator)
            f.instance.setZ0Calculator(&calculator);
        LayerGridHooks hooks;
        hooks.z0Computed = [this](std::span<const double> z0) { pictureZ0.emplace_back(z0.begin(), z0.end()); };
        hooks.openZ0Curve = [this](int32_t layer) { opened.push_back("curve " + std::to_string(layer)); };
        hooks.openLossCurve = [this](int32_t layer) { opened.push_back("loss " + std::to_string(layer)); };
        f.grid->setHooks(std::move(hooks));
    }

    // The idle pass, with the calls it makes.
    Calls idle()
    {
        calculator.calls.clear();
        f.grid->idleRefresh();
        return calculator.calls;
    }
    // A drop-down of the Z0 Planning bar, as the pane reports it.
    void choose(uint32_t control, int32_t selection)
    {
        BarControlValue value;
        value.selection = selection;
        gridBarCommand(*f.grid, f.platform, control, kBarSelectionChange, value, '.');
    }
    void planForPair(int32_t strategy)
    {
        choose(res::IDC_PLAN_FOR, 1);
        choose(res::IDC_STRATEGY, strategy);
    }
    const std::string& text(int32_t row, int32_t columnId) const { return f.text(row, columnId); }
    Texts texts(int32_t row, std::initializer_list<int32_t> columnIds) const { return test::rowTexts(f, row, columnIds); }
};

TEST(Z0Planning, OneRefreshCallsInOrderWithTheKnownDimensionOfTheMode)
{
    PlanningFixture p;
    // Single trace: Auto Er on the metals from the last up, never on Plating; one
    // CalcStackupZ0 for the board shown; each conductor solved for its width from its gap.
    EXPECT_EQ(p.idle(), (Calls{"ApplyAutoEr Bottom", "ApplyAutoEr GND", "ApplyAutoEr Top", "CalcStackupZ0 1 0",
                              "Solve Bottom 203.2 pair=0 sep=0", "Solve GND 203.2 pair=0 sep=0",
                              "Solve Top 203.2 pair=0 sep=0"}));
    EXPECT_TRUE(p.calculator.arraysZeroFilled);

    // A pair solved for separation: the width is known, the gap solved; for width: the gap is known.
    p.planForPair(0);
    EXPECT_EQ(p.idle().back(), "Solve Top 254 pair=1 sep=1");
    EXPECT_EQ(p.text(2, kColGap), "100");
    p.choose(res::IDC_STRATEGY, 1);
    EXPECT_EQ(p.idle().back(), "Solve Top 203.2 pair=1 sep=0");
    EXPECT_EQ(p.text(2, kColWidth), "100");

    // Solved for both: the curve does the solving, the refresh none.
    p.choose(res::IDC_STRATEGY, 2);
    EXPECT_EQ(p.idle(), kAutoErAndZ0);

    // Without Auto Er the metals keep the Er the user gave them.
    p.f.instance.settings().autoEr = false;
    p.f.grid->flags().valuesChanged = true;
    EXPECT_EQ(p.idle(), Calls{"CalcStackupZ0 1 0"});
}

TEST(Z0Planning, AnswersShowRoundedPerCellAndNeverReachTheRecords)
{
    PlanningFixture p;
    p.calculator.solved["GND"] = 0.0;
    p.idle();
    // 49.96 rounds to one decimal; 0.0 is the calculator's no value, in the failed layer's cells only.
    EXPECT_EQ(p.texts(2, {kColZ0, kColWidth}), (Texts{"50.2", "100"}));
    EXPECT_EQ(p.texts(4, {kColZ0, kColWidth}), (Texts{"<Error>", "<Error>"}));
    EXPECT_EQ(p.text(6, kColZ0), "50");
    EXPECT_EQ(p.pictureZ0, (std::vector<std::vector<double>>{p.calculator.z0}));

    // Storing and flushing leave the entered width and gap as they were.
    p.f.grid->storeAllRows();
    p.f.grid->flush();
    EXPECT_DOUBLE_EQ(p.f.layer(1).dWidth, 254e-6);
    EXPECT_DOUBLE_EQ(p.f.layer(1).dGap, 203.2e-6);
}

TEST(Z0Planning, WithoutCalculatorEveryComputedCellIsNotAvailable)
{
    PlanningFixture p(false);
    EXPECT_TRUE(p.idle().empty());
    for (const int32_t row : {2, 4, 6})
        EXPECT_EQ(p.texts(row, {kColZ0, kColWidth}), (Texts{"<N/A>", "<N/A>"}));
    // The picture is told there are no values, so it says "Z0 = <N/A>".
    EXPECT_EQ(p.pictureZ0, std::vector<std::vector<double>>(1));

    // Apply as Test Width finds nothing to take over; the buttons open nothing.
    p.f.grid->onCommand(res::IDC_APPLY_AS_TEST_WIDTH);
    EXPECT_DOUBLE_EQ(p.f.layer(1).dTestWidth, 254e-6);
    EXPECT_FALSE(p.f.grid->history().canUndo());
    p.f.grid->cellButtonClicked(p.f.at(2, kColLossCurve));
    EXPECT_TRUE(p.opened.empty());

    // A calculator the host sets while the window is open is asked at the next idle pass.
    p.f.instance.setZ0Calculator(&p.calculator);
    EXPECT_EQ(p.idle().size(), 7u);
    EXPECT_EQ(p.text(2, kColZ0), "50.2");
    EXPECT_EQ(p.pictureZ0.back().size(), 6u);
}

TEST(Z0Planning, PlanningChangesRewriteHeaderRolesAndEnteredValues)
{
    PlanningFixture p;
    p.idle();
    EXPECT_EQ(p.texts(0, {kColTargetZ0}), Texts{"Target Z0\nohm"});
    EXPECT_EQ(p.text(2, kColWidth), "100");

    p.choose(res::IDC_PLAN_FOR, 1); // a pair, solved for separation (the stored strategy)
    EXPECT_EQ(p.text(0, kColTargetZ0), "Diff Z0\nohm");
    // The width is entered again and shows dWidth; the gap waits for the refresh.
    EXPECT_EQ(p.f.style(2, kColWidth).control, CellControl::Edit);
    EXPECT_EQ(p.f.style(2, kColGap).control, CellControl::ReadOnlyEdit);
    EXPECT_EQ(p.texts(2, {kColWidth, kColGap}), (Texts{"254", "203"})); // 203.2 um to whole micrometres
    p.idle();
    EXPECT_EQ(p.text(2, kColGap), "100");

    // Solved for both: width and gap are empty, the curve is offered.
    p.choose(res::IDC_STRATEGY, 2);
    EXPECT_EQ(p.texts(2, {kColWidth, kColGap, kColZ0Curve}), (Texts{"", "", "View..."}));
    // The buttons reach the chart dialogs through the hooks with the layer index.
    p.f.grid->cellButtonClicked(p.f.at(4, kColZ0Curve));
    p.f.grid->cellButtonClicked(p.f.at(6, kColLossCurve));
    EXPECT_EQ(p.opened, (std::vector<std::string>{"curve 3", "loss 5"}));

    // Without the pair capability the grid plans a single trace whatever is stored.
    p.f.instance.settings().caps &= ~kCapDiffPairPlanning;
    p.f.grid->planningChanged();
    EXPECT_EQ(p.text(0, kColTargetZ0), "Target Z0\nohm");
    EXPECT_EQ(p.idle().back(), "Solve Top 203.2 pair=0 sep=0");
}

TEST(Z0Planning, ApplyAsTestWidthTakesPositiveWidthsOnlyAsOneUndoStep)
{
    PlanningFixture p;
    p.calculator.solved = {{"Top", 0.0}, {"GND", 180e-6}, {"Bottom", 150e-6}};
    p.idle();
    const auto testWidths = [&] {
        return std::vector<double>{p.f.layer(1).dTestWidth, p.f.layer(3).dTestWidth, p.f.layer(5).dTestWidth};
    };
    EXPECT_TRUE(p.f.grid->onCommand(res::IDC_APPLY_AS_TEST_WIDTH));
    EXPECT_EQ(testWidths(), (std::vector<double>{254e-6, 180e-6, 150e-6})) << "the <Error> row keeps its test width";
    EXPECT_EQ(p.text(6, kColTestWidth), "150");
    EXPECT_TRUE(p.f.grid->flags().valuesChanged);
    EXPECT_TRUE(p.f.grid->undo());
    EXPECT_EQ(testWidths(), std::vector<double>(3, 254e-6));
    EXPECT_EQ(p.text(6, kColTestWidth), "254");
}

TEST(Z0Planning, OnlyChangedInputsAndShownColumnsAreComputed)
{
    PlanningFixture p;
    p.idle();
    EXPECT_TRUE(p.idle().empty());
    ASSERT_TRUE(p.f.enter(2, kColLayerName, "Upper"));

    // The Z0 Planning tab shows no Z0 column: no CalcStackupZ0, but the widths;
    // the Metal tab shows Z0 but not Width. A tab switch refreshes.
    const CTabDescrArray tabs = defaultTabs();
    p.f.grid->showTab(kTabZ0Planning, tabs[kTabZ0Planning].columns(), true);
    const Calls planning = p.idle();
    EXPECT_EQ(std::count(planning.begin(), planning.end(), "CalcStackupZ0 1 0"), 0);
    EXPECT_EQ(planning.back(), "Solve Upper 203.2 pair=0 sep=0");
    p.f.grid->showTab(kTabMetal, tabs[kTabMetal].columns(), true);
    EXPECT_EQ(p.idle(), (Calls{"ApplyAutoEr Bottom", "ApplyAutoEr GND", "ApplyAutoEr Upper", "CalcStackupZ0 1 0"}));
}

TEST(Z0Planning, UnitsSwitchRewritesEnteredLengthsAtOnceAndComputedOnesAtTheRefresh)
{
    PlanningFixture p;
    p.f.addMilsUnit();
    p.planForPair(0);
    p.calculator.solvedOtherwise = 127e-6;
    p.idle();
    p.choose(res::IDC_UNITS, 1);
    // Entered at once, computed with the last result until the refresh.
    EXPECT_EQ(p.texts(2, {kColWidth, kColTestWidth, kColGap}), (Texts{"10", "10", "127"}));
    p.idle();
    EXPECT_EQ(p.texts(2, {kColGap}), Texts{"5"});
    EXPECT_EQ(p.text(0, kColGap), "Gap\nmils");
}

TEST(Z0Planning, ThrowingCalculatorShowsErrorsAndTheRefreshGoesOn)
{
    PlanningFixture p;
    p.calculator.throwing = {"GND", "Top", "CalcStackupZ0"};
    EXPECT_EQ(p.idle().size(), 7u) << "every call made once, none retried";
    // A CalcStackupZ0 that threw half-way gives no values at all.
    EXPECT_EQ(p.texts(2, {kColWidth, kColZ0}), (Texts{"<Error>", "<Error>"}));
    EXPECT_EQ(p.texts(4, {kColWidth, kColZ0}), (Texts{"<Error>", "<Error>"}));
    EXPECT_EQ(p.texts(6, {kColWidth, kColZ0}), (Texts{"100", "<Error>"}));
    EXPECT_EQ(p.pictureZ0.back(), std::vector<double>(6, 0.0));
    // An ApplyAutoEr that threw leaves its layer as it was.
    EXPECT_DOUBLE_EQ(p.f.layer(1).dEr, defaultLayer(kSignal).dEr);
    EXPECT_DOUBLE_EQ(p.f.layer(5).dEr, 3.9);
    EXPECT_EQ(p.f.platform.waitCursorDepth, 0);
}

TEST(Z0Planning, AutoErSwitchedOffKeepsTheCalculatorsErForEditing)
{
    PlanningFixture p;
    p.calculator.autoEr = 3.25;
    p.idle();
    EXPECT_EQ(p.text(2, kColEr), "<Auto>");
    BarControlValue unchecked;
    gridBarCommand(*p.f.grid, p.f.platform, res::IDC_AUTO_ER, kBarClicked, unchecked, '.');
    EXPECT_EQ(p.text(2, kColEr), "3.25");
    ASSERT_TRUE(p.f.enter(2, kColEr, "3.5"));
    p.idle();
    EXPECT_DOUBLE_EQ(p.f.layer(1).dEr, 3.5);
}

TEST(Z0Planning, WidthAndGapBelowTheMetalThicknessAreRefused)
{
    PlanningFixture p;
    p.planForPair(0); // the width is entered
    const int thickness = static_cast<int>(p.f.layer(1).dThickness * 1e6);
    const auto refused = [&](int32_t columnId) {
        const std::string thinner = std::to_string(thickness - 1);
        const bool taken = p.f.enter(2, columnId, thinner);
        EXPECT_EQ(p.text(2, columnId), thinner) << "the typed text stays for mending";
        p.f.grid->cancelEdit(p.f.at(2, columnId));
        return taken ? std::string() : p.f.platform.messages.back().text;
    };
    const std::string width = "Trace width less than metal thickness is not supported.";
    EXPECT_EQ(refused(kColWidth), width);
    EXPECT_EQ(refused(kColTestWidth), width);
    p.choose(res::IDC_STRATEGY, 1); // the gap is entered
    EXPECT_EQ(refused(kColGap), "Trace separation less than metal thickness is not supported.");
    EXPECT_TRUE(p.f.enter(2, kColGap, std::to_string(thickness + 1)));
}

} // namespace
} // namespace lm
