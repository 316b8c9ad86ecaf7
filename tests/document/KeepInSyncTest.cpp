#include "document/KeepInSync.h"

#include "OpenEditor.h"
#include "model/LayerRecord.h"

#include <gtest/gtest.h>

namespace {

void edit(LMLAYEREX& layer, const char* name, int32_t type, int32_t usage, int32_t technology, int32_t metal)
{
    lm::setLayerName(layer, name);
    layer.nType = type;
    layer.nUsage = usage;
    layer.nTechnology = technology;
    layer.nMetal = metal;
}

} // namespace

TEST(KeepInSync, CheckBoxAndInForce)
{
    EXPECT_FALSE(lm::keepInSyncCheckBox(0x40).shown || lm::keepInSyncCheckBox(0x40).checked);
    EXPECT_FALSE(lm::keepInSyncCheckBox(0x80).checked);
    EXPECT_TRUE(lm::keepInSyncCheckBox(0xC0).checked);
    EXPECT_TRUE(lm::keepInSyncInForce(0x40, false)); // no check box: bit 0x40 alone
    EXPECT_FALSE(lm::keepInSyncInForce(0xC0, false));
    EXPECT_TRUE(lm::keepInSyncInForce(0xC0, true));
    EXPECT_FALSE(lm::keepInSyncInForce(0x80, true));
}

TEST(KeepInSync, CheckingRestoresBoardsWithUnchangedLayerCount)
{
    lm::test::OpenEditor e;
    lm::test::addBoard(e.instance, 1, {10, 11});
    lm::test::addBoard(e.instance, 2, {20});
    edit(lm::test::layersOf(e.instance, 1)[1], "D1", 1, 5, 0, -1);
    e.open();

    lm::BoardList& boards = e.instance.boardsForEditing();
    edit(boards[0].layers[0], "Renamed", 1, 6, 1, 2); // same type: technology and metal stay
    edit(boards[0].layers[1], "M1", 0, 1, -1, 3);     // type changed: technology and metal come back
    boards[0].layers[1].dThickness = 5e-6;
    boards[1].layers.push_back(boards[1].layers[0]);  // a layer more: left alone
    edit(boards[1].layers[0], "Kept", 0, 0, -1, 2);

    int paneUpdates = 0, rowRewrites = 0;
    const lm::KeepInSyncViews views{[&] { ++paneUpdates; }, [&] { ++rowRewrites; }};
    lm::onKeepInSyncToggled(e.instance.document(), true, views);
    EXPECT_TRUE(e.instance.settings().keepInSync);
    const LMLAYEREX& first = boards[0].layers[0];
    EXPECT_EQ(lm::layerName(first), lm::layerName(e.instance.boardsAtOpen()[0].layers[0]));
    EXPECT_EQ(std::vector<int32_t>({first.nType, first.nTechnology, first.nMetal}), (std::vector<int32_t>{1, 1, 2}));
    const LMLAYEREX& second = boards[0].layers[1];
    EXPECT_EQ(lm::layerName(second), "D1");
    EXPECT_EQ(std::vector<int32_t>({second.nType, second.nUsage, second.nTechnology, second.nMetal}),
              (std::vector<int32_t>{1, 5, 0, -1}));
    EXPECT_EQ(second.dThickness, 5e-6);
    EXPECT_EQ(lm::layerName(boards[1].layers[0]), "Kept");

    lm::onKeepInSyncToggled(e.instance.document(), false, views);
    EXPECT_FALSE(e.instance.settings().keepInSync);
    EXPECT_EQ(std::make_pair(paneUpdates, rowRewrites), std::make_pair(1, 1));
}
