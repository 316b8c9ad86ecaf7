#include "ui/Splitter.h"

#include <gtest/gtest.h>

using lm::SplitterModel;

TEST(Splitter, StackedAndBackGivesTheDefaultShareAgain)
{
    const lm::Size tabClient{1000, 500};
    SplitterModel splitter;
    EXPECT_EQ(splitter.layout(tabClient, 600), 600);
    splitter.dragEnded(tabClient, 400);

    EXPECT_FALSE(splitter.chooseOrientation(true, tabClient)); // already side by side
    EXPECT_EQ(splitter.chooseOrientation(false, tabClient), 250);
    EXPECT_FALSE(splitter.vertical());
    EXPECT_EQ(splitter.layout(tabClient, 250), 250); // tracking restarted with the new panes
    EXPECT_EQ(splitter.trackedTotal(), 500);
    splitter.dragEnded(tabClient, 100);
    EXPECT_EQ(splitter.chooseOrientation(false, tabClient), 250); // stacked again re-creates at half height

    EXPECT_EQ(splitter.chooseOrientation(true, tabClient), 600);
    EXPECT_EQ(splitter.layout(tabClient, 600), 600);

    EXPECT_EQ(lm::firstPaneSizeAtOpening(0, true, {1001, 501}), 600);
    EXPECT_EQ(lm::firstPaneSizeAtOpening(0, false, {1001, 501}), 250);
    EXPECT_EQ(lm::firstPaneSizeAtOpening(1, true, {1001, 501}), 1);
}

TEST(Splitter, ResizingKeepsTheFractionOfTheLastDrag)
{
    SplitterModel splitter;
    EXPECT_EQ(splitter.layout({1000, 500}, 600), 600);
    EXPECT_EQ(splitter.layout({500, 500}, 600), 300);
    splitter.dragEnded({1000, 500}, 300);
    EXPECT_EQ(splitter.layout({2000, 500}, 300), 600);
    EXPECT_EQ(splitter.layout({1500, 900}, 600), 450); // from the recording, not from the last answer
    EXPECT_EQ(splitter.layout({999, 500}, 450), 299);  // integer division

    SplitterModel stacked(false);
    EXPECT_EQ(stacked.layout({1000, 400}, 200), 200);
    EXPECT_EQ(stacked.layout({10, 800}, 200), 400); // stacked panes follow the height
}
