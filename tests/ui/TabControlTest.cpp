#include "ui/TabControl.h"

#include "TabTestGrid.h"
#include "api/EditorInstance.h"

#include <gtest/gtest.h>

#include <utility>
#include "ui/CustomizeColumns.h"
#include "document/TabDescr.h"

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
    EXPECT_EQ(std::pair(basic.columns()[0].width, basic.columns()[3].width), std::pair(40, 6));
    EXPECT_EQ(std::tuple(instance.activeTab(), grid.shownTab, grid.shownWidthsKnown),
              std::tuple(1, int32_t{lm::kTabDielectric}, false));
    EXPECT_EQ(panes.calls, (std::vector<std::string>{"picture tab 0", "bar 1017", "update picture", "picture tab 1",
                                                    "bar 1018", "update picture"}));

    // An item without descriptor changes nothing, not even the widths of the tab being left.
    grid.pixelWidths = {{3, 700}};
    EXPECT_THROW(lm::switchTab(instance.document(), 5, grid, panes), LMInvalidArgument);
    EXPECT_EQ(instance.activeTab(), 1);
    EXPECT_EQ(instance.tabs()[1].columns()[0].width, 32);

    // The conversions saturate and never divide by zero (no width measured is taken as 1).
    EXPECT_EQ(lm::columnWidthFromPixels(10, 0), 40);
    EXPECT_EQ(lm::columnPixelWidth(2'000'000'000, 8), 2'147'483'647);
}

