#include "ui/TabControl.h"

#include "TabTestGrid.h"
#include "api/EditorInstance.h"

#include <gtest/gtest.h>

#include <utility>

TEST(TabControl, InvisibleTabsAreSkippedByItemsAndSelection)
{
    lm::EditorInstance instance;
    lm::CTabDescrArray& tabs = instance.tabs();
    tabs[0].setVisible(false);
    EXPECT_EQ(lm::tabControlItems(tabs), (std::vector<std::string>{"Dielectric", "Metal", "Z0 Planning", "Custom View"}));

    EXPECT_EQ(lm::initialTabSelection(tabs, 3).item, 2);
    const auto fallback = lm::initialTabSelection(tabs, 0); // the active tab is hidden: first item
    EXPECT_EQ(std::pair(fallback.item, fallback.descriptor), std::pair(0, 1));
    for (lm::CTabDescr& tab : tabs)
        tab.setVisible(false);
    EXPECT_EQ(lm::initialTabSelection(tabs, 1).item, -1);
}

TEST(TabControl, SwitchTakesWidthsBackThenShowsTheNewTab)
{
    lm::EditorInstance instance;
    lm::test::RecordingTabGrid grid;
    lm::test::RecordingTabPanes panes;
    lm::switchTab(instance.document(), 0, grid, panes); // nothing active yet: nothing taken back
    EXPECT_FALSE(instance.tabs()[0].widthsKnown());
    EXPECT_EQ(grid.shownColumns.size(), instance.tabs()[0].columns().size());

    grid.pixelWidths = {{0, 70}, {3, 10}}; // 40 quarters; 5.71 rounds to 6
    lm::switchTab(instance.document(), 1, grid, panes);
    const lm::CTabDescr& basic = instance.tabs()[0];
    EXPECT_TRUE(basic.widthsKnown());
    EXPECT_EQ(basic.columns()[0].width, 40);
    EXPECT_EQ(basic.columns()[3].width, 6);
    EXPECT_EQ(instance.activeTab(), 1);
    EXPECT_EQ(grid.shownTab, lm::kTabDielectric);
    EXPECT_FALSE(grid.shownWidthsKnown);
    EXPECT_EQ(panes.calls, (std::vector<std::string>{"picture tab 0", "bar 1017", "update picture", "picture tab 1",
                                                    "bar 1018", "update picture"}));

    // An item without descriptor changes nothing, not even the widths of the tab being left.
    grid.pixelWidths = {{3, 700}};
    EXPECT_THROW(lm::switchTab(instance.document(), 5, grid, panes), LMInvalidArgument);
    EXPECT_EQ(instance.activeTab(), 1);
    EXPECT_EQ(instance.tabs()[1].columns()[0].width, 32);
}

TEST(TabControl, WidthConversions)
{
    EXPECT_EQ(lm::columnPixelWidth(17, 7), 29); // 119 / 4
    EXPECT_EQ(lm::columnWidthFromPixels(9, 8), 5); // 4.5 rounds up
    EXPECT_EQ(lm::columnWidthFromPixels(10, 0), 40); // no width measured: taken as 1
    for (int32_t charWidth : {6, 7, 8, 9}) {
        for (int32_t width = 0; width <= 400; ++width)
            ASSERT_EQ(lm::columnWidthFromPixels(lm::columnPixelWidth(width, charWidth), charWidth), width)
                << "width " << width << " at " << charWidth;
    }
    const LMGRIDCOLDESCR columns[] = {{3, 36}, {4, 28}};
    EXPECT_EQ(lm::columnPixelWidths(columns, 7), (std::vector<int32_t>{63, 49}));
    EXPECT_EQ(lm::columnPixelWidth(2'000'000'000, 8), 2'147'483'647); // saturates instead of wrapping
}
