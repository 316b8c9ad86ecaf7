#include "document/TabDescr.h"

#include <gtest/gtest.h>

#include <tuple>
#include <utility>
#include "document/KeepInSync.h"
#include "OpenEditor.h"
#include "model/LayerRecord.h"

namespace {

using lm::CTabDescr;
using lm::CTabDescrArray;

void expectMirrored(const CTabDescr& tab)
{
    EXPECT_EQ(tab.record().columnCount, static_cast<int32_t>(tab.columns().size()));
    EXPECT_EQ(tab.record().columns, tab.columns().empty() ? nullptr : tab.columns().data());
}

} // namespace

TEST(TabDescr, RecordMirrorsColumnsAfterCopyMoveAndResize)
{
    CTabDescr original = lm::defaultTabs()[0];
    original.setWidthsKnown(true);
    EXPECT_EQ(static_cast<void*>(&original), static_cast<void*>(original.record()));

    CTabDescr copy(original);
    expectMirrored(copy);
    EXPECT_NE(copy.record()->columns, original.record()->columns); // its own array
    EXPECT_TRUE(copy.widthsKnown());
    CTabDescr moved(std::move(copy));
    expectMirrored(moved);
    expectMirrored(copy); // must not point at the array it gave away
    moved.resizeColumns(40);
    expectMirrored(moved);
    EXPECT_EQ(moved.columns()[39].columnId, 0);

    CTabDescrArray tabs;
    for (int i = 0; i < 20; ++i) // growing the array moves the descriptors
        tabs.push_back(original);
    for (const CTabDescr& tab : tabs)
        expectMirrored(tab);
    EXPECT_THROW(moved.resizeColumns(-1), LMInvalidArgument);
    EXPECT_THROW(moved.column(40), LMInvalidArgument);
}

TEST(TabDescr, SetTabsTakesIdsVisibilityAndColumnsButKeepsPropertyBarsByPosition)
{
    CTabDescrArray tabs = lm::defaultTabs();
    tabs[1].setWidthsKnown(true);
    CTabDescrArray source = lm::defaultTabs();
    std::vector<LMTABDESCR> reversed;
    for (auto it = source.rbegin(); it != source.rend(); ++it)
        reversed.push_back(*it->record());
    reversed[3].visible = 0;

    lm::setTabs(tabs, reversed.data(), 5);
    for (std::size_t i = 0; i < 5; ++i)
        EXPECT_EQ(tabs[i].id(), static_cast<int32_t>(4 - i));
    EXPECT_EQ(std::tuple(tabs[0].propertyBarId(), tabs[0].customizable(), tabs[0].columns().size(),
                         tabs[1].widthsKnown(), tabs[3].visible()),
              std::tuple(1017, false, 20u, true, false));
    EXPECT_NE(tabs[0].record()->columns, reversed[0].columns); // copied, not borrowed

    std::vector<LMTABDESCR> seven(7, *source[0].record());
    lm::setTabs(tabs, seven.data(), 7);
    EXPECT_EQ(std::pair(tabs[4].propertyBarId(), tabs[6].propertyBarId()), std::pair(1021, 0)); // new ones: zero
    expectMirrored(tabs[6]);

    // Bad input anywhere changes nothing.
    std::vector<LMTABDESCR> withBad{seven[0], seven[0]};
    withBad[1].columns = nullptr;
    EXPECT_THROW(lm::setTabs(tabs, withBad.data(), 2), LMInvalidArgument);
    withBad[1].columnCount = -1;
    EXPECT_THROW(lm::setTabs(tabs, withBad.data(), 2), LMInvalidArgument);
    EXPECT_THROW(lm::setTabs(tabs, nullptr, 1), LMInvalidArgument);
    EXPECT_THROW(lm::setTabs(tabs, seven.data(), -1), LMInvalidArgument);
    EXPECT_EQ(tabs.size(), 7u);
}

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
    EXPECT_EQ(std::make_pair(paneUpdates, rowRewrites), std::make_pair(1, 1));
}
