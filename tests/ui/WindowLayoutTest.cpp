#include "ui/WindowLayout.h"

#include "document/EditSettings.h"
#include "res/CommandIds.h"
#include "res/DialogTemplates.h"

#include <gtest/gtest.h>
#include "ui/Splitter.h"

using lm::Rect;

// Fitting a stored placement into the work area is the dialog's and the window's tests'.
TEST(WindowLayout, OnlyAPlacementWithAnAreaIsAStoredOne)
{
    EXPECT_FALSE(lm::isPlacementStored(lm::placementRect(lm::WindowPlacement{})));
    EXPECT_FALSE(lm::isPlacementStored({0, 0, 10, 0}));
}

TEST(WindowLayout, MarginsOffsetsAndMinimumTrackingSizeFromTheTemplate)
{
    const lm::BaseUnits units{6, 13};
    const auto* editor = lm::res::findDialogTemplate(lm::res::IDD_LAMINAR);
    ASSERT_NE(editor, nullptr);
    const auto layout = lm::EditorWindowLayout::fromTemplate(*editor, units);
    // Client 732 x 474; tab control 7, 8 to 724, 429 (margins 7, 8, 8, 45); OK 471, 440 to 546, 463.
    EXPECT_EQ(layout.minimumTrackingSize(20, 28, 0), (lm::Size{7 + 8 + 261, 8 + 45 + 12 * 20 + 28}));
    // With the check box shown, the smallest window still keeps it clear of OK.
    const lm::Size least = layout.minimumTrackingSize(20, 28, lm::kCapKeepInSyncShown);
    const auto smallest = layout.arrange({0, 0, least.width, least.height}, 28, lm::kCapKeepInSyncShown);
    EXPECT_LT(smallest.keepInSync.right, smallest.ok.left);
    EXPECT_GE(smallest.keepInSync.left, 0);

    // At the template's own size and without a tool bar every control stays where the template put it.
    const auto at = [&](uint32_t id) {
        const auto* item = editor->item(id);
        return lm::dialogUnitsToPixels(item->x, item->y, item->cx, item->cy, units);
    };
    const auto same = layout.arrange({0, 0, 732, 474}, 0, lm::kCapKeepInSyncShown);
    EXPECT_EQ((std::vector<Rect>{same.tabControl, same.ok, same.help, same.keepInSync}),
              (std::vector<Rect>{at(lm::res::IDC_TAB_CONTROL), at(lm::res::IDOK), at(lm::res::IDHELP),
                                 at(lm::res::IDC_KEEP_IN_SYNC)}));
    EXPECT_TRUE(same.keepInSyncShown);

    // Larger, with a tool bar: buttons follow the right and bottom edges, the check box the left and bottom.
    const auto grown = layout.arrange({0, 0, 1000, 700}, 28, 0);
    EXPECT_EQ((std::vector<Rect>{grown.toolBar, grown.tabControl, grown.ok}),
              (std::vector<Rect>{{0, 0, 1000, 28}, {7, 36, 992, 655}, {739, 666, 814, 689}}));
    EXPECT_EQ(std::tuple(grown.keepInSync.left, grown.keepInSync.top, grown.keepInSyncShown),
              std::tuple(same.keepInSync.left, 666, false));
}

TEST(WindowLayout, FirstRunSizeMakesRoomForTheColumnsWithinTheScreen)
{
    const lm::Size window{854, 511};
    const lm::Rect screen{0, 0, 1920, 1080};
    // Enough room already: the template's size.
    EXPECT_EQ(lm::firstRunWindowSize(window, 830, 400, screen), window);
    // 900 pixels of columns need a display area of 1500: the window grows by
    // what it lacks, its height in proportion.
    const lm::Size grown = lm::firstRunWindowSize(window, 830, 900, screen);
    EXPECT_EQ(grown.width, 854 + 1500 - 830);
    EXPECT_EQ(grown.height, 511 * grown.width / 854);
    // Never beyond the screen's work area.
    EXPECT_EQ(lm::firstRunWindowSize(window, 830, 3000, {0, 0, 1280, 720}), (lm::Size{1280, 720}));
}

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

    EXPECT_EQ((std::vector<int32_t>{lm::firstPaneSizeAtOpening(0, true, {1001, 501}),
                                    lm::firstPaneSizeAtOpening(0, false, {1001, 501}),
                                    lm::firstPaneSizeAtOpening(1, true, {1001, 501})}),
              (std::vector<int32_t>{600, 250, 1}));
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
