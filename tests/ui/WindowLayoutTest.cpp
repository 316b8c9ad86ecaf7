#include "ui/Splitter.h"
#include "ui/WindowLayout.h"

#include "document/EditSettings.h"

#include <gtest/gtest.h>

// Fitting a stored placement into the work area, the first-run size and the smallest window are the
// dialog's and the window's tests'.
TEST(WindowLayout, OnlyAPlacementWithAnAreaIsAStoredOne)
{
    EXPECT_FALSE(lm::isPlacementStored(lm::placementRect(lm::WindowPlacement{})));
    EXPECT_FALSE(lm::isPlacementStored({0, 0, 10, 0}));
}

TEST(Splitter, StackedAndBackGivesTheDefaultShareAgain)
{
    const lm::Size tabClient{1000, 500};
    lm::SplitterModel splitter;
    EXPECT_EQ(splitter.layout(tabClient, 600), 600);
    splitter.dragEnded(tabClient, 400);

    EXPECT_FALSE(splitter.chooseOrientation(true, tabClient)); // already side by side
    EXPECT_EQ(splitter.chooseOrientation(false, tabClient), 250);
    EXPECT_EQ(splitter.layout(tabClient, 250), 250); // tracking restarted with the new panes
    splitter.dragEnded(tabClient, 100);
    EXPECT_EQ(splitter.chooseOrientation(false, tabClient), 250); // stacked again re-creates at half height
    EXPECT_EQ(splitter.chooseOrientation(true, tabClient), 600);
    EXPECT_EQ(splitter.layout(tabClient, 600), 600);
    EXPECT_EQ(splitter.layout({2000, 500}, 600), 1200) << "the default share follows the width";
    EXPECT_EQ(std::pair(lm::firstPaneSizeAtOpening(0, false, {1001, 501}), lm::firstPaneSizeAtOpening(1, true, {1001, 501})),
              std::pair(250, 1));
}
