#include "grid/LayerTextTable.h"

#include "model/LayerRecord.h"

#include <gtest/gtest.h>

namespace lm {
namespace {

TEST(LayerTextTable, TargetHeaderFollowsThePlanningMode)
{
    LMEDITSETTINGS settings;
    EXPECT_EQ(columnHeaderText(kColTargetZ0, settings), "Target Z0\nohm");
    settings.z0DiffPair = true;
    EXPECT_EQ(columnHeaderText(kColTargetZ0, settings), "Target Z0\nohm") << "a pair is planned only when offered";
    settings.caps |= kCapDiffPairPlanning;
    EXPECT_EQ(columnHeaderText(kColTargetZ0, settings), "Diff Z0\nohm");
}

TEST(LayerTextTable, RowHeadersAndColumnOrder)
{
    EXPECT_EQ(rowHeaderText(1), "1");
    EXPECT_EQ(rowHeaderText(4294967295u), "4294967295");
    // Technology sits between Usage and Thickness.
    EXPECT_EQ(gridColumnOf(kColTechnology), 6);
    EXPECT_EQ(gridColumnOf(kColThickness), 7);
    EXPECT_EQ(gridColumnOf(kColLossCurve), 19);
    EXPECT_EQ(gridColumnOf(20), -1);
}

} // namespace
} // namespace lm
