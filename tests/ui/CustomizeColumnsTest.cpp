#include "ui/CustomizeColumns.h"

#include "TabTestGrid.h"
#include "api/EditorInstance.h"
#include "model/LayerRecord.h"

#include <gtest/gtest.h>

namespace {

std::vector<int32_t> columnIds(const lm::CTabDescr& tab)
{
    std::vector<int32_t> ids;
    for (const LMGRIDCOLDESCR& column : tab.columns())
        ids.push_back(column.columnId);
    return ids;
}

} // namespace

TEST(CustomizeColumns, UncheckedLayerNameComesBackLast)
{
    lm::EditorInstance instance;
    instance.setActiveTab(4);
    lm::test::RecordingTabGrid grid;
    const std::size_t custom = lm::customViewTabIndex(instance.tabs());
    ASSERT_EQ(custom, 4u);

    lm::CustomizeColumns first(instance.tabs()[custom]);
    ASSERT_EQ(first.items().size(), 20u);
    EXPECT_EQ(first.selection(), 0);
    ASSERT_EQ(first.items()[3].columnId, lm::kColLayerName);
    first.setChecked(3, false);
    lm::applyCustomizedTab(instance, custom, first.accepted(), grid);
    EXPECT_EQ(instance.tabs()[custom].columns().size(), 19u);
    EXPECT_EQ(grid.shownColumns.size(), 19u); // the active tab goes on the grid again

    lm::CustomizeColumns second(instance.tabs()[custom]);
    ASSERT_EQ(second.items().back().title, "Layer Name");
    EXPECT_FALSE(second.items().back().checked);
    second.setChecked(19, true);
    const lm::CTabDescr accepted = second.accepted();
    ASSERT_EQ(accepted.columns().size(), 20u);
    EXPECT_EQ(accepted.columns().back().columnId, lm::kColLayerName);
    EXPECT_EQ(accepted.columns().back().width, 36); // its default width
}

TEST(CustomizeColumns, MovingSwapsEntriesOnlyInsideTheColumnList)
{
    // Columns 3, 4, 5 (widths 30, 40, 50); the other catalogue columns follow unchecked.
    lm::CTabDescr tab;
    tab.setColumns({{3, 30}, {4, 40}, {5, 50}});
    lm::CustomizeColumns dialog(tab);
    EXPECT_FALSE(dialog.canMoveUp());
    EXPECT_TRUE(dialog.canMoveDown());
    dialog.moveDown();
    dialog.moveDown();
    dialog.moveDown(); // past the last column: items swap, entries stay
    EXPECT_EQ(dialog.selection(), 3);
    EXPECT_EQ(dialog.items()[3].columnId, 3);
    EXPECT_EQ(columnIds(dialog.accepted()), (std::vector<int32_t>{4, 5, 3}));
    EXPECT_EQ(dialog.accepted().columns()[0].width, 40);

    // Bring the unchecked column 0 up between 4 and 5 (the entries of 5 and 3 swap
    // meanwhile), check it, uncheck 3, check 1: 3 goes from before the insertion point.
    dialog.select(2);
    dialog.moveUp();
    EXPECT_EQ(dialog.items()[1].columnId, 0);
    dialog.setChecked(1, true);
    dialog.setChecked(3, false);
    dialog.setChecked(4, true);
    EXPECT_EQ(dialog.items()[4].columnId, 1);
    EXPECT_EQ(columnIds(dialog.accepted()), (std::vector<int32_t>{4, 0, 5, 1}));

    dialog.select(19);
    EXPECT_FALSE(dialog.canMoveDown());
    EXPECT_THROW(dialog.select(20), LMInvalidArgument);
}

TEST(CustomizeColumns, CustomViewIsTheLastDescriptorWithItsId)
{
    lm::CTabDescrArray tabs = lm::defaultTabs();
    tabs.push_back(tabs[4]);
    tabs.push_back(tabs[0]);
    EXPECT_EQ(lm::customViewTabIndex(tabs), 5u);
    tabs.erase(tabs.begin() + 4, tabs.begin() + 6);
    EXPECT_THROW(lm::customViewTabIndex(tabs), LMInvalidArgument);
}
