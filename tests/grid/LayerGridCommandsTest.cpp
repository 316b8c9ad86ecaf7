#include "LayerGridFixture.h"

#include "grid/GridCommandRules.h"
#include "res/CommandIds.h"
#include "ui/GridContextMenu.h"
#include "ui/MenuModel.h"

#include <gtest/gtest.h>

namespace lm {
namespace {

using namespace res;
using test::GridFixture;
using Names = std::vector<std::string>;

LMLAYEREX layer(int32_t usage, const char* name, int32_t id = 0)
{
    LMLAYEREX record = test::layerOf(usage, name, defaultLayer(usage).crColor);
    record.nId = id;
    return record;
}

// Signal over plane, the smallest board with two metals.
std::vector<LMLAYEREX> twoMetals() { return {layer(kSignal, "Top", 1), layer(kSolidPlane, "Gnd", 2)}; }

std::vector<LMLAYEREX> fourLayers()
{
    return {layer(kSignal, "Top", 1), layer(kSubstrate, "Core", 2), layer(kSolidPlane, "Gnd", 3),
            layer(kSolderMask, "Mask", 4)};
}

TEST(LayerGridInsert, SignalAboveTopSignalGetsNameAndSubstrateBetween)
{
    GridFixture f(twoMetals());
    f.setCurrent(1);
    ASSERT_TRUE(f.grid->onCommand(ID_INSERT_ABOVE_SIGNAL));

    EXPECT_EQ(f.names(), (Names{"Layer_01", "", "Top", "Gnd"}));
    EXPECT_EQ(f.usages(), (std::vector<int32_t>{kSignal, kSubstrate, kSignal, kSolidPlane}));
    EXPECT_DOUBLE_EQ(f.board().layers[1].dThickness, 0.000254);
    EXPECT_NE(f.board().layers[0].crColor, 0u);
    EXPECT_EQ(f.grid->cells().rowCount(), 5);
    EXPECT_EQ(f.text(3, kColLayerName), "Top");
    EXPECT_EQ(f.grid->cells().text(4, 0), "4");
    EXPECT_TRUE(f.grid->flags().rowsModified && f.grid->flags().valuesChanged);
}

TEST(LayerGridInsert, SignalBelowPutsTheDielectricNextToTheCurrentLayer)
{
    GridFixture f(twoMetals(), kDefaultCaps | kCapRigidFlex);
    f.setCurrent(1);
    ASSERT_TRUE(f.grid->insertLayer(kSolidPlane, false));
    EXPECT_EQ(f.names(), (Names{"Top", "", "Layer_01", "Gnd"}));
    EXPECT_EQ(f.board().layers[1].nUsage, kRigid);
}

TEST(LayerGridInsert, MostSuitableFollowsTheNeighbours)
{
    GridFixture top(fourLayers());
    top.setCurrent(1);
    ASSERT_TRUE(top.grid->insertMostSuitable(true));
    EXPECT_EQ(top.usages(), (std::vector<int32_t>{kSolderMask, kSignal, kSubstrate, kSolidPlane, kSolderMask}));

    // Under an existing mask a signal gets plating above.
    top.setCurrent(2);
    ASSERT_TRUE(top.grid->insertMostSuitable(true));
    EXPECT_EQ(top.board().layers[1].nUsage, kPlating);

    // Covering the bottom mask turns it into a substrate and puts a substrate below.
    GridFixture mask(fourLayers());
    mask.setCurrent(4);
    ASSERT_TRUE(mask.grid->insertMostSuitable(false));
    EXPECT_EQ(mask.usages(), (std::vector<int32_t>{kSignal, kSubstrate, kSolidPlane, kSubstrate, kSubstrate}));
    EXPECT_EQ(mask.text(4, kColUsage), "Substrate");
    ASSERT_TRUE(mask.grid->undo());
    EXPECT_EQ(mask.usages(), (std::vector<int32_t>{kSignal, kSubstrate, kSolidPlane, kSolderMask}));
}

TEST(LayerGridInsert, EmptyGridTakesTheLayerInRowOne)
{
    GridFixture f({});
    EXPECT_TRUE(f.enabled(ID_INSERT_BELOW_SIGNAL));
    EXPECT_FALSE(f.enabled(ID_INSERT_BELOW_SOLDER_MASK));
    ASSERT_TRUE(f.grid->onCommand(ID_INSERT_BELOW_SIGNAL));
    EXPECT_EQ(f.names(), (Names{"Layer_01"}));
    EXPECT_EQ(f.text(1, kColLayerName), "Layer_01");
}

TEST(LayerGridInsert, PlatingBetweenTwoSignalsBecomesASignal)
{
    GridFixture f({layer(kPlating, "Plate"), layer(kSignal, "Top"), layer(kSubstrate, "Core"), layer(kSignal, "Bot")});
    f.setCurrent(1);
    ASSERT_TRUE(f.grid->insertLayer(kSignal, true));
    // The new signal stands over the plating, which now lies between two signals.
    EXPECT_EQ(f.text(1, kColLayerName), "Layer_01");
    EXPECT_EQ(f.text(2, kColLayerName), "Layer_02");
    EXPECT_EQ(f.text(2, kColUsage), "Signal");
}

TEST(LayerGridInsert, DrillSpansFollowTheNeighboursAndUndoRestoresThem)
{
    // Pair 0 runs through layers 1-3, pair 1 only through 3-4.
    GridFixture f(fourLayers(), kDefaultCaps, {{1, 3}, {3, 4}});
    const std::vector<DrillSpanSet> spansBefore = f.board().drillSpans;
    f.setCurrent(3);
    ASSERT_TRUE(f.grid->insertLayer(kSubstrate, false));
    ASSERT_EQ(f.board().drillSpans.size(), 5u);
    EXPECT_FALSE(f.board().drillSpans[3].test(0));
    EXPECT_TRUE(f.board().drillSpans[3].test(1));

    // The selected last row goes with the undo: the view must hear of the selection too.
    struct : CellGridObserver {
        int selectionNotices = 0;
        void gridReshaped() override {}
        void cellsChanged(int32_t, int32_t, int32_t, int32_t) override {}
        void columnsChanged() override {}
        void selectionChanged() override { ++selectionNotices; }
    } view;
    f.select({5});
    f.setCurrent(1);
    f.grid->cells().setObserver(&view);
    ASSERT_TRUE(f.grid->undo());
    f.grid->cells().setObserver(nullptr);
    EXPECT_EQ(view.selectionNotices, 1);
    EXPECT_EQ(f.names(), (Names{"Top", "Core", "Gnd", "Mask"}));
    EXPECT_EQ(f.board().drillSpans, spansBefore);
    EXPECT_EQ(f.grid->cells().rowCount(), 5);
    ASSERT_TRUE(f.grid->redo());
    EXPECT_EQ(f.board().layers.size(), 5u);
    EXPECT_EQ(f.grid->cells().rowCount(), 6);
}

struct RecordingDefaultLayer : ILMDefaultLayer {
    struct Call {
        int32_t count, index, usage;
        std::string firstName;
        bool operator==(const Call&) const = default;
    };
    std::vector<Call> calls;
    void PrepareNewLayer(const LMLAYEREX* layers, int32_t count, int32_t index, LMLAYEREX* newLayer) override
    {
        calls.push_back({count, index, newLayer->nUsage, layers ? std::string(layerName(layers[0])) : ""});
        newLayer->dThickness = 1e-4; // the host's say goes
    }
};

TEST(LayerGridInsert, DefaultLayerObjectSeesEveryNewLayerBeforeItIsPlaced)
{
    GridFixture f(twoMetals());
    RecordingDefaultLayer host;
    f.instance.setDefaultLayer(&host);
    f.setCurrent(1);
    ASSERT_TRUE(f.grid->insertLayer(kSignal, false));

    using Call = RecordingDefaultLayer::Call;
    EXPECT_EQ(host.calls, (std::vector<Call>{{2, 1, kSignal, "Top"}, {3, 1, kSubstrate, "Top"}}));
    EXPECT_DOUBLE_EQ(f.board().layers[2].dThickness, 1e-4);
}

TEST(LayerGridDelete, PermanentLayerStopsTheWholeDelete)
{
    std::vector<LMLAYEREX> layers = fourLayers();
    layers.push_back(layer(kSignal, "Fixed"));
    layers.back().bPermanent = 1;
    GridFixture f(layers);
    f.select({2, 5});
    EXPECT_TRUE(f.grid->onCommand(ID_EDIT_DELETE));

    const test::ShownMessage permanent{"Layer #5 is permanent and can't be deleted.", MessageButtons::Ok,
                                       MessageIcon::Exclamation};
    EXPECT_EQ(f.platform.messages, std::vector{permanent});
    EXPECT_EQ(f.board().layers.size(), 5u);
    EXPECT_FALSE(f.grid->history().canUndo());
}

TEST(LayerGridDelete, DeleteAllUndoRedoUndoRestoresTheStackup)
{
    GridFixture f(fourLayers(), kDefaultCaps, {{1, 3}});
    const std::vector<DrillSpanSet> spansBefore = f.board().drillSpans;
    f.setCurrent(2);
    f.grid->onCommand(ID_SELECT_ALL);
    EXPECT_TRUE(f.enabled(ID_EDIT_DELETE));
    ASSERT_TRUE(f.grid->deleteSelectedRows());
    EXPECT_TRUE(f.board().layers.empty());
    EXPECT_EQ(f.grid->cells().rowCount(), 1);
    EXPECT_FALSE(f.grid->cells().current().valid()) << "the header row is never current";

    ASSERT_TRUE(f.grid->undo());
    ASSERT_TRUE(f.grid->redo());
    EXPECT_TRUE(f.board().layers.empty());
    ASSERT_TRUE(f.grid->undo());
    EXPECT_EQ(f.names(), (Names{"Top", "Core", "Gnd", "Mask"}));
    EXPECT_EQ(f.board().drillSpans, spansBefore);
    EXPECT_EQ(f.text(4, kColLayerName), "Mask");
}

TEST(LayerGridDelete, WithoutTheCapabilityOnlyAnEditBoxDeletes)
{
    GridFixture f(fourLayers(), kDefaultCaps & ~kCapDeleteLayers);
    f.select({2});
    EXPECT_FALSE(f.enabled(ID_EDIT_CUT));
    EXPECT_FALSE(f.grid->deleteSelectedRows());
    EXPECT_EQ(f.board().layers.size(), 4u);
    // The open edit box takes Delete: its text loses characters, no row goes.
    std::vector<bool> deletions;
    f.grid->setEditorTextDeleter([&](bool selectionOnly) { deletions.push_back(selectionOnly); });
    f.grid->setEditorOpen(true);
    EXPECT_TRUE(f.enabled(ID_EDIT_DELETE));
    EXPECT_TRUE(f.grid->onCommand(ID_EDIT_DELETE));
    EXPECT_EQ(deletions, std::vector<bool>{false});
    EXPECT_EQ(f.board().layers.size(), 4u);
}

TEST(LayerGridApply, TextGoesOnlyWhereTheCellAcceptsIt)
{
    GridFixture f({layer(kSolidPlane, "Gnd"), layer(kSubstrate, "Core"), layer(kSignal, "Bot")});
    f.select({1, 2, 3});
    f.setCurrent(1, kColUsage);
    ASSERT_TRUE(f.enabled(ID_APPLY_TO_SELECTION));
    f.grid->onCommand(ID_APPLY_TO_SELECTION);
    EXPECT_EQ(f.text(2, kColUsage), "Substrate");
    EXPECT_EQ(f.text(3, kColUsage), "Plane");
    EXPECT_TRUE(f.grid->history().canUndo());

    // Type: the row is rebuilt as a layer of the current row's usage.
    f.setCurrent(2, kColType);
    f.grid->applyToSelection();
    EXPECT_EQ(f.board().layers[0].nUsage, kSubstrate);
    EXPECT_EQ(f.text(1, kColLayerName), "");
}

TEST(LayerGridSelection, SelectMetalReplacesTheSelection)
{
    GridFixture f(fourLayers());
    f.select({2});
    f.grid->onCommand(ID_SELECT_METAL);
    EXPECT_EQ(f.grid->cells().selectedRows(), (std::vector<int32_t>{1, 3}));
}

TEST(LayerGridMove, DrillPairCheckDecidesTheDrop)
{
    // Pair 0 runs through layers 1-2 only.
    GridFixture f(fourLayers(), kDefaultCaps, {{1, 2}});
    f.select({2, 3});
    EXPECT_FALSE(f.grid->canDragSelection()); // the block's span sets differ

    f.grid->cells().clearSelection();
    f.select({3});
    EXPECT_FALSE(f.grid->dropSelection(2)); // would land inside pair 0 without being drilled
    EXPECT_EQ(f.names(), (Names{"Top", "Core", "Gnd", "Mask"}));
    EXPECT_FALSE(f.grid->history().canUndo());

    ASSERT_TRUE(f.grid->dropSelection(5));
    EXPECT_EQ(f.names(), (Names{"Top", "Core", "Mask", "Gnd"}));
    EXPECT_TRUE(f.board().drillSpans[1].test(0));
    EXPECT_EQ(f.text(4, kColLayerName), "Gnd");
    ASSERT_TRUE(f.grid->undo());
    EXPECT_EQ(f.names(), (Names{"Top", "Core", "Gnd", "Mask"}));

    EXPECT_TRUE(f.grid->moveLayer(0, 1));
    EXPECT_EQ(f.names(), (Names{"Core", "Top", "Gnd", "Mask"}));
}

TEST(LayerGridMove, ABlockMovedUpOrDownTakesTheCurrentRowAndTheSelectionAlong)
{
    GridFixture f({layer(kSignal, "A"), layer(kSubstrate, "B"), layer(kSolidPlane, "C"), layer(kSubstrate, "D"),
                   layer(kSignal, "E")});
    const CellGrid& cells = f.grid->cells();
    f.select({4, 5});
    f.setCurrent(4);
    ASSERT_TRUE(f.grid->dropSelection(2)); // up
    EXPECT_EQ(f.names(), (Names{"A", "D", "E", "B", "C"}));
    EXPECT_EQ(cells.selectedRows(), (std::vector<int32_t>{2, 3}));
    EXPECT_EQ(cells.current().row, 2);

    ASSERT_TRUE(f.grid->dropSelection(6)); // down, to the end
    EXPECT_EQ(f.names(), (Names{"A", "B", "C", "D", "E"}));
    EXPECT_EQ(cells.selectedRows(), (std::vector<int32_t>{4, 5}));
    EXPECT_EQ(cells.current().row, 4);
    EXPECT_EQ(f.text(5, kColLayerName), "E");
}

TEST(LayerGridContextMenu, OffersTheBoardKindsInsertsWithTheirStates)
{
    for (const bool rigidFlex : {false, true}) {
        GridFixture f(fourLayers(), rigidFlex ? kDefaultCaps | kCapRigidFlex : kDefaultCaps);
        f.setCurrent(1);
        CommandStates states;
        EXPECT_TRUE(gridContextMenu(*f.grid, {2, f.grid->colOf(kColLayerName)}, states).empty());
        const std::vector<MenuItem> menu = gridContextMenu(*f.grid, f.grid->cells().current(), states);
        ASSERT_FALSE(menu.empty());
        for (uint32_t id : {ID_INSERT_ABOVE_SPLIT_MIXED, ID_INSERT_BELOW_SPLIT_MIXED, ID_INSERT_ABOVE_FLOODED_SIGNAL,
                            ID_INSERT_BELOW_FLOODED_SIGNAL})
            EXPECT_EQ(findMenuItem(menu, id), nullptr);
        EXPECT_EQ(findMenuItem(menu, ID_INSERT_BELOW_SUBSTRATE) != nullptr, !rigidFlex);
        EXPECT_EQ(findMenuItem(menu, ID_INSERT_ABOVE_RIGID) != nullptr, rigidFlex);
        // Row 1: a solder mask fits above on any board, below only on rigid-flex.
        EXPECT_TRUE(states[ID_INSERT_ABOVE_SOLDER_MASK].enabled);
        EXPECT_EQ(states[ID_INSERT_BELOW_SOLDER_MASK].enabled, rigidFlex);
        EXPECT_EQ(states[ID_INSERT_ABOVE_MOST_SUITABLE].enabled, !rigidFlex);
        EXPECT_FALSE(states[ID_APPLY_TO_SELECTION].enabled);
    }
}

// Where plating and solder mask may go, row by row (the menu test covers row 1).
TEST(GridCommandRules, SolderMaskAndPlatingOnlyAtTheOuterFaces)
{
    const std::vector<LMLAYEREX> layers = fourLayers(); // signal, core, plane, mask
    EXPECT_FALSE(insertEnabled({kSolderMask, true}, {kDefaultCaps, layers, 2}));
    EXPECT_TRUE(insertEnabled({kSolderMask, true}, {kDefaultCaps | kCapRigidFlex, layers, 2}));
    const std::vector<std::pair<bool, bool>> platingAboveBelow = {{true, false}, {false, false}, {false, true}, {true, false}};
    for (int32_t row = 1; row <= 4; ++row) {
        EXPECT_EQ(platingInsertAllowed(layers, row, true), platingAboveBelow[row - 1].first) << row;
        EXPECT_EQ(platingInsertAllowed(layers, row, false), platingAboveBelow[row - 1].second) << row;
    }
}

} // namespace
} // namespace lm
