#include "RowTexts.h"

#include "grid/GridCommandRules.h"
#include "res/CommandIds.h"
#include "ui/GridContextMenu.h"
#include "ui/MenuModel.h"

#include <gtest/gtest.h>

namespace lm {
namespace {

using namespace res;
using test::expectNames;
using test::GridFixture;
using Names = std::vector<std::string>;
using Usages = std::vector<int32_t>;

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

TEST(LayerGridInsert, NewLayersTakeNameDielectricAndUsageFromTheirNeighboursAndUndoAsOneStep)
{
    const std::vector<LMLAYEREX> masked = {layer(kSolderMask, ""), layer(kSignal, "Top"), layer(kSubstrate, "Core"),
                                           layer(kSolidPlane, "Gnd"), layer(kSolderMask, "")};
    const struct {
        const char* what;
        std::vector<LMLAYEREX> layers;
        uint32_t caps;
        int32_t row;
        uint32_t command;
        Names names;
        Usages usages;
    } cases[] = {
        {"signal above the top signal", twoMetals(), kDefaultCaps, 1, ID_INSERT_ABOVE_SIGNAL,
         {"Layer_01", "", "Top", "Gnd"}, {kSignal, kSubstrate, kSignal, kSolidPlane}},
        {"the dielectric goes next to the current layer", twoMetals(), kDefaultCaps | kCapRigidFlex, 1,
         ID_INSERT_BELOW_SOLID_PLANE, {"Top", "", "Layer_01", "Gnd"}, {kSignal, kRigid, kSolidPlane, kSolidPlane}},
        {"an empty grid takes it in row one", {}, kDefaultCaps, 0, ID_INSERT_BELOW_SIGNAL, {"Layer_01"}, {kSignal}},
        {"plating between two signals becomes a signal",
         {layer(kPlating, "Plate"), layer(kSignal, "Top"), layer(kSubstrate, "Core"), layer(kSignal, "Bot")},
         kDefaultCaps, 1, ID_INSERT_ABOVE_SIGNAL, {"Layer_01", "Layer_02", "Top", "Core", "Bot"},
         {kSignal, kSignal, kSignal, kSubstrate, kSignal}},
        {"most suitable between a mask and a signal", masked, kDefaultCaps, 2, ID_INSERT_ABOVE_MOST_SUITABLE,
         {"", "", "Top", "Core", "Gnd", ""}, {kSolderMask, kPlating, kSignal, kSubstrate, kSolidPlane, kSolderMask}},
        {"covering the bottom mask makes it a substrate", fourLayers(), kDefaultCaps, 4, ID_INSERT_BELOW_MOST_SUITABLE,
         {"Top", "Core", "Gnd", "Mask", ""}, {kSignal, kSubstrate, kSolidPlane, kSubstrate, kSubstrate}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        GridFixture f(c.layers, c.caps);
        const Names before = f.names();
        if (c.row > 0)
            f.setCurrent(c.row);
        ASSERT_TRUE(f.enabled(c.command));
        ASSERT_TRUE(f.grid->onCommand(c.command));
        expectNames(f, c.names);
        EXPECT_EQ(f.usages(), c.usages);
        EXPECT_EQ(f.grid->cells().text(f.grid->cells().rowCount() - 1, 0), std::to_string(c.names.size()));
        EXPECT_TRUE(f.grid->flags().rowsModified && f.grid->flags().valuesChanged);
        f.grid->flags() = {};
        ASSERT_TRUE(f.grid->undo());
        expectNames(f, before);
        EXPECT_TRUE(f.grid->flags().rowsModified && f.grid->flags().valuesChanged) << "undone rows are new values";
    }
}

TEST(LayerGridInsert, DrillSpansFollowTheNeighboursAndUndoRestoresThem)
{
    // Pair 0 runs through layers 1-3, pair 1 only through 3-4.
    GridFixture f(fourLayers(), kDefaultCaps, {{1, 3}, {3, 4}});
    const std::vector<DrillSpanSet> spansBefore = f.board().drillSpans;
    f.setCurrent(3);
    ASSERT_TRUE(f.grid->insertLayer(kSubstrate, false));
    ASSERT_EQ(f.board().drillSpans.size(), 5u);
    EXPECT_EQ(std::pair(f.board().drillSpans[3].test(0), f.board().drillSpans[3].test(1)), std::pair(false, true));

    f.select({5}); // the selected last row goes with the undo
    f.setCurrent(1);
    ASSERT_TRUE(f.grid->undo());
    expectNames(f, {"Top", "Core", "Gnd", "Mask"});
    EXPECT_EQ(f.board().drillSpans, spansBefore);
    ASSERT_TRUE(f.grid->redo());
    EXPECT_EQ(f.grid->cells().rowCount(), 6);
}

struct RecordingDefaultLayer : ILMDefaultLayer {
    std::vector<std::string> calls; // count, index, usage, first layer's name
    void PrepareNewLayer(const LMLAYEREX* layers, int32_t count, int32_t index, LMLAYEREX* newLayer) override
    {
        calls.push_back(std::to_string(count) + " " + std::to_string(index) + " " + std::to_string(newLayer->nUsage) +
                        " " + std::string(layers ? layerName(layers[0]) : ""));
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
    EXPECT_EQ(host.calls, (std::vector<std::string>{"2 1 0 Top", "3 1 5 Top"}));
    EXPECT_DOUBLE_EQ(f.board().layers[2].dThickness, 1e-4);
}

TEST(LayerGridDelete, PermanentLayerStopsTheWholeDeleteAndNoCapabilityAnyDelete)
{
    std::vector<LMLAYEREX> layers = fourLayers();
    layers.push_back(layer(kSignal, "Fixed"));
    layers.back().bPermanent = 1;
    GridFixture f(layers);
    f.select({2, 5});
    EXPECT_TRUE(f.grid->onCommand(ID_EDIT_DELETE));
    EXPECT_EQ(f.platform.messages, (std::vector<test::ShownMessage>{{"Layer #5 is permanent and can't be deleted.",
                                                                     MessageButtons::Ok, MessageIcon::Exclamation}}));
    EXPECT_EQ(f.board().layers.size(), 5u);
    EXPECT_FALSE(f.grid->history().canUndo());

    GridFixture fixed(fourLayers(), kDefaultCaps & ~kCapDeleteLayers);
    fixed.select({2});
    EXPECT_FALSE(fixed.enabled(ID_EDIT_CUT) || !fixed.enabled(ID_EDIT_COPY) || fixed.grid->deleteSelectedRows());
    // The open edit box takes Delete: its text loses characters, no row goes.
    std::vector<bool> deletions;
    fixed.grid->setEditorTextDeleter([&](bool selectionOnly) { deletions.push_back(selectionOnly); });
    fixed.grid->setEditorOpen(true);
    EXPECT_TRUE(fixed.enabled(ID_EDIT_DELETE) && fixed.grid->onCommand(ID_EDIT_DELETE));
    EXPECT_EQ(deletions, std::vector<bool>{false});
    EXPECT_EQ(fixed.board().layers.size(), 4u);
}

TEST(LayerGridDelete, DeleteAllUndoRedoUndoRestoresTheStackup)
{
    GridFixture f(fourLayers(), kDefaultCaps, {{1, 3}});
    const std::vector<DrillSpanSet> spansBefore = f.board().drillSpans;
    f.setCurrent(2);
    f.grid->onCommand(ID_SELECT_ALL);
    EXPECT_TRUE(f.enabled(ID_EDIT_DELETE));
    ASSERT_TRUE(f.grid->deleteSelectedRows());
    expectNames(f, {});
    EXPECT_FALSE(f.grid->cells().current().valid()) << "the header row is never current";

    ASSERT_TRUE(f.grid->undo());
    ASSERT_TRUE(f.grid->redo());
    EXPECT_TRUE(f.board().layers.empty());
    ASSERT_TRUE(f.grid->undo());
    expectNames(f, {"Top", "Core", "Gnd", "Mask"});
    EXPECT_EQ(f.board().drillSpans, spansBefore);
}

TEST(LayerGridApply, TextGoesOnlyWhereTheCellAcceptsItAndSelectMetalReplacesTheSelection)
{
    GridFixture f({layer(kSolidPlane, "Gnd"), layer(kSubstrate, "Core"), layer(kSignal, "Bot")});
    f.select({1, 2, 3});
    f.setCurrent(1, kColUsage);
    ASSERT_TRUE(f.enabled(ID_APPLY_TO_SELECTION));
    f.grid->onCommand(ID_APPLY_TO_SELECTION);
    EXPECT_EQ(test::columnTexts(f, kColUsage), (Names{"Plane", "Substrate", "Plane"}));
    EXPECT_TRUE(f.grid->history().canUndo());
    f.grid->onCommand(ID_SELECT_METAL);
    f.grid->cellClicked(f.at(2, kColThickness));
    EXPECT_FALSE(f.grid->cells().anySelected()) << "a click takes the selection away";
    f.grid->onCommand(ID_SELECT_METAL);
    f.instance.settings().keepSelection = true; // unless it is kept
    f.grid->cellClicked(f.at(2, kColThickness));
    EXPECT_EQ(f.grid->cells().selectedRows(), (std::vector<int32_t>{1, 3}));

    // Type: the row is rebuilt as a layer of the current row's usage.
    f.setCurrent(2, kColType);
    f.grid->applyToSelection();
    EXPECT_EQ(f.board().layers[0].nUsage, kSubstrate);
    EXPECT_EQ(f.text(1, kColLayerName), "");
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
    EXPECT_FALSE(f.grid->history().canUndo());

    ASSERT_TRUE(f.grid->dropSelection(5));
    expectNames(f, {"Top", "Core", "Mask", "Gnd"});
    EXPECT_TRUE(f.board().drillSpans[1].test(0));
    ASSERT_TRUE(f.grid->undo());
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
    expectNames(f, {"A", "D", "E", "B", "C"});
    EXPECT_EQ(cells.selectedRows(), (std::vector<int32_t>{2, 3}));
    EXPECT_EQ(cells.current().row, 2);

    ASSERT_TRUE(f.grid->dropSelection(6)); // down, to the end
    expectNames(f, {"A", "B", "C", "D", "E"});
    EXPECT_EQ(cells.selectedRows(), (std::vector<int32_t>{4, 5}));
    EXPECT_EQ(cells.current().row, 4);
}

TEST(LayerGridContextMenu, OffersTheBoardKindsInsertsWithTheirStates)
{
    for (const bool rigidFlex : {false, true}) {
        GridFixture f(fourLayers(), rigidFlex ? kDefaultCaps | kCapRigidFlex : kDefaultCaps);
        f.setCurrent(1);
        CommandStates states;
        EXPECT_TRUE(gridContextMenu(*f.grid, {2, f.grid->colOf(kColLayerName)}, states).empty());
        const std::vector<MenuItem> menu = gridContextMenu(*f.grid, f.grid->cells().current(), states);
        for (uint32_t id : {ID_INSERT_ABOVE_SPLIT_MIXED, ID_INSERT_BELOW_FLOODED_SIGNAL})
            EXPECT_EQ(findMenuItem(menu, id), nullptr);
        EXPECT_EQ(findMenuItem(menu, ID_INSERT_BELOW_SUBSTRATE) != nullptr, !rigidFlex);
        EXPECT_EQ(findMenuItem(menu, ID_INSERT_ABOVE_RIGID) != nullptr, rigidFlex);
        // Row 1: a solder mask fits above on any board, below only on rigid-flex.
        std::vector<bool> enabled;
        for (const uint32_t id : {ID_INSERT_ABOVE_SOLDER_MASK, ID_INSERT_BELOW_SOLDER_MASK,
                                  ID_INSERT_ABOVE_MOST_SUITABLE, ID_APPLY_TO_SELECTION})
            enabled.push_back(states[id].enabled);
        EXPECT_EQ(enabled, (std::vector<bool>{true, rigidFlex, !rigidFlex, false}));
    }
}

// Where plating and solder mask may go, row by row (the menu test covers row 1).
TEST(GridCommandRules, SolderMaskAndPlatingOnlyAtTheOuterFaces)
{
    const std::vector<LMLAYEREX> layers = fourLayers(); // signal, core, plane, mask
    EXPECT_FALSE(insertEnabled({kSolderMask, true}, {kDefaultCaps, layers, 2}));
    EXPECT_TRUE(insertEnabled({kSolderMask, true}, {kDefaultCaps | kCapRigidFlex, layers, 2}));
    const std::vector<std::pair<bool, bool>> platingAboveBelow = {
        {true, false}, {false, false}, {false, true}, {true, false}};
    for (int32_t row = 1; row <= 4; ++row)
        EXPECT_EQ(std::pair(platingInsertAllowed(layers, row, true), platingInsertAllowed(layers, row, false)),
                  platingAboveBelow[row - 1]) << row;
}

} // namespace
} // namespace lm
