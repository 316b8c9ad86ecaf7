#include "ui/CustomizeColumns.h"

#include "model/LayerRecord.h"
#include "document/TabDescr.h"

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
    lm::CustomizeColumns first(lm::defaultTabs()[lm::kTabCustomView]);
    ASSERT_EQ(first.items().size(), 20u);
    EXPECT_EQ(first.selection(), 0);
    ASSERT_EQ(first.items()[3].columnId, lm::kColLayerName);
    first.setChecked(3, false);
    EXPECT_EQ(first.accepted().columns().size(), 19u);

    lm::CustomizeColumns second(first.accepted());
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
