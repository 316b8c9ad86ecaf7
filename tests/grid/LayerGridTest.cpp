#include "RowTexts.h"

#include "grid/LayerColumnRules.h"
#include "document/TabDescr.h"
#include "grid/TabChangeCmd.h"

#include <gtest/gtest.h>

#include <cstring>

namespace lm {
namespace {

using test::GridFixture;
using test::layerOf;

constexpr uint32_t kSilver = rgb(192, 192, 192);

TEST(LayerGrid, ShapeHeadersWidthsAndRowNumbers)
{
    GridFixture f(test::fiveLayers());
    const CellGrid& cells = f.grid->cells();
    EXPECT_EQ(std::pair(cells.colCount(), cells.rowCount()), std::pair(21, 6));
    EXPECT_EQ(f.grid->colOf(kColTechnology), 7) << "Technology sits between Usage and Thickness";
    EXPECT_EQ(f.grid->colOf(kColumnIdCount), -1);
    EXPECT_EQ(f.text(0, kColThickness), "Thickness\num");
    EXPECT_EQ(cells.text(5, 0), "5");
    EXPECT_EQ(GridFixture({}).grid->cells().rowCount(), 1) << "an empty stackup shows the header row only";
}

TEST(LayerGrid, CellsThatDoNotApplyAreSilverAndEmpty)
{
    GridFixture f({layerOf(kSignal, "Top", rgb(255, 0, 0)), layerOf(kSubstrate), layerOf(kPlating, "P")});
    // A dielectric has a Visible value, yet its row shows no check box.
    for (const int32_t columnId : {kColVisible, kColColor})
        EXPECT_TRUE(f.notApplicable(2, columnId) && f.style(2, columnId).background == kSilver && f.text(2, columnId).empty());
    const std::vector<int32_t> platingShows{kColLayerName, kColType,  kColUsage, kColThickness,
                                            kColMetal,     kColBulkR, kColTCoef};
    for (int32_t columnId = 0; columnId < kColumnIdCount; ++columnId) {
        const bool shown = std::find(platingShows.begin(), platingShows.end(), columnId) != platingShows.end();
        EXPECT_EQ(f.notApplicable(3, columnId), !shown) << "column " << columnId;
        EXPECT_TRUE(shown || f.text(3, columnId).empty()) << "column " << columnId;
    }
    EXPECT_EQ(f.style(1, kColColor).background, rgb(255, 0, 0));
    EXPECT_EQ(f.text(1, kColVisible), "1");
    EXPECT_EQ(f.style(1, kColVisible).control, CellControl::CheckBox);
}

// Which cells take input, by the layer, the metal and the capabilities.
TEST(LayerGrid, CellsTakeInputByPermanenceKeepInSyncMetalAndReadOnly)
{
    std::vector<LMLAYEREX> layers = test::fiveLayers();
    layers[0].bPermanent = 1;
    layers[0].dBulkResistivity = 5.0; // a catalogue metal shows the table, whatever the record holds
    layers[4].nMetal = kCustomMetal;
    layers[4].dBulkResistivity = 2e-08;
    const uint32_t readOnly = kDefaultCaps | kCapReadOnly | kCapLossValues;
    const GridFixture f(layers), synced(test::fiveLayers(), kDefaultCaps | kCapKeepInSyncInitial),
        locked(test::fiveLayers(), readOnly), lossEditable(test::fiveLayers(), readOnly | kCapLossTangentEditable);
    // Automatic Er (on in a new instance): a metal's Er is the calculator's.
    EXPECT_EQ(test::rowTexts(f, 1, {kColBulkR, kColTCoef, kColEr}), (test::Texts{"1.724e-08", "0.00393", "<Auto>"}));
    EXPECT_EQ(test::rowTexts(f, 5, {kColBulkR}), test::Texts{"2e-08"});
    const struct {
        const GridFixture& grid;
        int32_t row, columnId;
        bool takesInput;
    } cells[] = {
        {f, 1, kColType, false}, {f, 1, kColUsage, true}, {f, 5, kColType, true}, // permanence locks Type only
        {f, 1, kColBulkR, false}, {f, 5, kColBulkR, true}, {f, 1, kColEr, false}, {f, 2, kColEr, true},
        {synced, 1, kColType, false}, {synced, 2, kColUsage, false}, {synced, 5, kColType, false},
        {locked, 1, kColLayerName, false}, {locked, 1, kColThickness, false}, {locked, 2, kColLossTangent, false},
        {locked, 1, kColTestWidth, true}, {locked, 1, kColVisible, true}, // appearance and planning stay
        {lossEditable, 2, kColLossTangent, true}, {lossEditable, 2, kColEr, false},
    };
    for (const auto& c : cells)
        EXPECT_EQ(acceptsInput(c.grid.style(c.row, c.columnId)), c.takesInput) << &c - cells;
}

TEST(LayerGrid, UnitsChangeRewritesValuesAndHeadersKeepingPendingEdits)
{
    GridFixture f(test::fiveLayers());
    f.addMilsUnit();

    ASSERT_TRUE(f.enter(2, kColThickness, "127")); // typed in um, not yet stored
    f.instance.settings().unitIndex = 1;
    f.grid->unitsChanged();
    EXPECT_EQ(f.text(0, kColThickness), "Thickness\nmils");
    EXPECT_EQ(f.text(2, kColThickness), "5");
    EXPECT_EQ(f.text(4, kColThickness), "10");
    EXPECT_NEAR(f.layer(1).dThickness, 127e-6, 1e-12);

    // Metal thickness as a weight: one ounce of copper with an ounce unit.
    f.instance.settings().units[1].dWeightFactor = 1.0 / 28.349523125;
    std::strcpy(f.instance.settings().units[1].szWeightUnit, "oz");
    f.instance.settings().metalThicknessAs = kThicknessAsWeight;
    f.grid->unitsChanged();
    EXPECT_EQ(f.text(0, kColThickness), "Thickness\nmils, oz");
    EXPECT_EQ(f.text(1, kColThickness), "1");
    EXPECT_EQ(f.text(2, kColThickness), "5");
    ASSERT_TRUE(f.enter(1, kColThickness, "2"));
    f.grid->commitIfModified();
    EXPECT_NEAR(f.layer(0).dThickness, 2 * 3.429e-05, 1e-10);
}

// Shows a tab for the grid's undo, as the editor dialog does.
struct FakeTabs : TabSwitchTarget {
    LayerGrid* grid = nullptr;
    bool selectTabById(int32_t tabId) override
    {
        return grid->showTab(tabId, defaultTabs()[static_cast<std::size_t>(tabId)].columns(), true), true;
    }
};

// What undo and redo of a tab switch show is the window's test.
TEST(LayerGrid, ShowTabLaysOutColumnsAndRecordsTheSwitch)
{
    GridFixture f(test::fiveLayers());
    FakeTabs tabs;
    tabs.grid = f.grid.get();
    f.grid->setHooks({.tabs = &tabs});
    const CTabDescrArray defaults = defaultTabs();
    const CellGrid& cells = f.grid->cells();

    EXPECT_TRUE(f.grid->showTab(kTabBasic, defaults[kTabBasic].columns(), false)) << "unknown widths are fitted";
    EXPECT_TRUE(cells.columnHidden(f.grid->colOf(kColTechnology)));
    EXPECT_EQ(cells.visualColumn(4), f.grid->colOf(kColLayerName));
    EXPECT_EQ(cells.visualColumn(10), f.grid->colOf(kColZ0));

    EXPECT_FALSE(f.grid->showTab(kTabMetal, defaults[kTabMetal].columns(), true));
    EXPECT_TRUE(cells.columnHidden(f.grid->colOf(kColVisible)));
    EXPECT_EQ(cells.visualColumn(1), f.grid->colOf(kColLayerName));
    EXPECT_EQ(f.grid->columnPixelWidth(kColLayerName), 32 * 8 / 4);
    EXPECT_EQ(f.grid->columnPixelWidth(kColLossCurve), 18 * 8 / 4);
    ASSERT_TRUE(f.grid->undo());
    EXPECT_EQ(std::pair(f.grid->tabShown(), f.grid->history().canUndo()), std::pair(int32_t{kTabBasic}, false))
        << "the undo's own tab switch is no new step";
}

} // namespace
} // namespace lm
