#include "document/TabDescr.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

using lm::CTabDescr;
using lm::CTabDescrArray;

void expectMirrored(const CTabDescr& tab)
{
    EXPECT_EQ(tab.record().columnCount, static_cast<int32_t>(tab.columns().size()));
    EXPECT_EQ(tab.record().columns, tab.columns().empty() ? nullptr : tab.columns().data());
}

std::vector<int32_t> ids(const CTabDescrArray& tabs)
{
    std::vector<int32_t> result;
    for (const CTabDescr& tab : tabs)
        result.push_back(tab.id());
    return result;
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
    EXPECT_EQ(ids(tabs), (std::vector<int32_t>{4, 3, 2, 1, 0}));
    EXPECT_EQ(tabs[0].propertyBarId(), 1017);
    EXPECT_FALSE(tabs[0].customizable());
    EXPECT_EQ(tabs[0].columns().size(), 20u);
    EXPECT_NE(tabs[0].record()->columns, reversed[0].columns); // copied, not borrowed
    EXPECT_TRUE(tabs[1].widthsKnown());
    EXPECT_FALSE(tabs[3].visible());

    std::vector<LMTABDESCR> seven(7, *source[0].record());
    lm::setTabs(tabs, seven.data(), 7);
    EXPECT_EQ(tabs[4].propertyBarId(), 1021);
    EXPECT_EQ(tabs[6].propertyBarId(), 0); // new descriptors start at zero
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

TEST(TabDescr, DefaultTabsNamesAndTabControlIndexSkippingInvisibleTabs)
{
    CTabDescrArray tabs = lm::defaultTabs();
    ASSERT_EQ(ids(tabs), (std::vector<int32_t>{0, 1, 2, 3, 4}));
    EXPECT_TRUE(tabs[4].customizable());
    EXPECT_FALSE(tabs[3].customizable());
    EXPECT_EQ(lm::columnTitle(20), "");
    EXPECT_EQ(lm::tabName(-1), "");
    tabs[0].setVisible(false);
    EXPECT_EQ(lm::descriptorOfTabControlIndex(tabs, 1), 2);
    EXPECT_EQ(lm::descriptorOfTabControlIndex(tabs, 3), 4);
    EXPECT_THROW(lm::descriptorOfTabControlIndex(tabs, 4), LMInvalidArgument);
    EXPECT_THROW(lm::descriptorOfTabControlIndex(tabs, -1), LMInvalidArgument);
    EXPECT_EQ(lm::tabControlIndexOf(tabs, 4), 3);
    EXPECT_THROW(lm::tabControlIndexOf(tabs, 0), LMInvalidArgument); // invisible: no item
    EXPECT_THROW(lm::tabControlIndexOf(tabs, 5), LMInvalidArgument);
}
