#include "ui/WindowLayout.h"

#include "document/EditSettings.h"

#include <gtest/gtest.h>

// Fitting a stored placement into the work area and the first-run size are the dialog's and the window's
// tests'; the split panes' sizes are the dialog's.
TEST(WindowLayout, OnlyAPlacementWithAnAreaIsAStoredOne)
{
    EXPECT_FALSE(lm::isPlacementStored(lm::placementRect(lm::WindowPlacement{})));
    EXPECT_FALSE(lm::isPlacementStored({0, 0, 10, 0}));
}

