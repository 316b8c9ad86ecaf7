#include "api/EditorInstance.h"

#include "OpenEditor.h"
#include "model/Catalogues.h"

#include <gtest/gtest.h>

#include <vector>

using lm::EditorInstance;
using lm::test::addBoard;

TEST(EditorInstance, CapsChangeOnlyTheMaskedBitsSettingsStayInTheUnitListTabsInTheTabList)
{
    EditorInstance instance;
    EXPECT_EQ(instance.caps(0xFFFFFFFFu), 0x13Cu);
    instance.setCaps(0x104, 0x100); // clears 0x4, keeps 0x100
    EXPECT_EQ(instance.caps(0xFFFFFFFFu), 0x138u);
    EXPECT_EQ(instance.caps(0x30), 0x30u);

    LMUNIT units[2]{};
    instance.setSupportedUnits(units, 2);
    LMSETTINGS settings{1, 1}, out{};
    instance.setSettings(&settings);
    for (int32_t refused : {2, -1}) {
        settings = {refused, 0};
        instance.setSettings(&settings);
        instance.getSettings(&out);
        EXPECT_EQ(out.unitIndex, 1) << refused;
        EXPECT_EQ(out.metalThicknessAs, 1) << refused;
    }
    // An empty list keeps the old one; a shorter one does not leave the index behind.
    instance.setSupportedUnits(units, 0);
    EXPECT_EQ(instance.settings().units.size(), 2u);
    instance.setSupportedUnits(units, 1);
    EXPECT_EQ(instance.settings().unitIndex, 0);
    EXPECT_THROW(instance.getSettings(nullptr), LMInvalidArgument);

    ASSERT_EQ(instance.tabCount(), 5);
    EXPECT_EQ(instance.tab(4), instance.tabs().back().record());
    EXPECT_THROW(instance.tab(5), LMInvalidArgument);
    EXPECT_THROW(instance.tab(-1), LMInvalidArgument);
}

TEST(EditorInstance, TheWindowShowsTheLastBoardOfAnIdElseTheFirstBoard)
{
    lm::test::OpenEditor editor;
    EditorInstance& instance = editor.instance;
    addBoard(instance, 7, {1});
    addBoard(instance, 8, {1});
    addBoard(instance, 7, {1, 2});
    LMLAYEREX* layers = nullptr;
    int32_t count = 0;
    instance.getStackup(7, &layers, &count);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(layers, instance.boards()[2].layers.data());
    instance.setCurrentBoard(7);
    editor.open();
    EXPECT_EQ(instance.settings().currentBoard, &instance.boards()[2]);
    instance.windowDestroyed();

    instance.setCurrentBoard(99);
    editor.open();
    EXPECT_EQ(instance.settings().currentBoard, &instance.boards()[0]);
    EXPECT_EQ(instance.currentBoardId(), 7);
    // A board added while the window is open must not leave the shown board dangling.
    instance.showBoard(1);
    for (int i = 0; i < 20; ++i)
        addBoard(instance, 10 + i, {1});
    EXPECT_EQ(instance.settings().currentBoard, &instance.boards()[1]);
    EXPECT_THROW(instance.showBoard(instance.boards().size()), LMInvalidArgument);
}

TEST(EditorInstance, AddedLayersGetTheirMetalIdentifiedAndNoSpanField)
{
    EditorInstance instance;
    LMLAYEREX in[2]{}; // a metal of unknown kind without properties, a dielectric
    in[0].nMetal = in[1].nMetal = lm::kNoMetal;
    in[1].nType = lm::kDielectric;
    in[0].pDrillSpans = 0xDEADBEEF;
    EXPECT_FALSE(instance.addStackup(1, "Board", nullptr, 2));
    EXPECT_THROW(instance.addStackup(1, "Board", in, -1), LMInvalidArgument);
    ASSERT_TRUE(instance.boards().empty());
    ASSERT_TRUE(instance.addStackup(1, "Board", in, 2));

    LMLAYEREX* out = nullptr;
    int32_t count = 0;
    instance.getStackup(1, &out, &count);
    ASSERT_EQ(count, 2);
    EXPECT_EQ(std::vector<int32_t>({out[0].nMetal, out[1].nMetal}),
              std::vector<int32_t>({lm::kCustomMetal, lm::kNoMetal}));
    EXPECT_EQ(out[0].pDrillSpans, 0u);
    EXPECT_EQ(in[0].pDrillSpans, 0xDEADBEEFu); // the host's array is left alone

    // A board without layers reads back as null and zero.
    ASSERT_TRUE(instance.addStackup(2, nullptr, in, 0));
    instance.getStackup(2, &out, &count);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(instance.boards()[1].name, "");
}

TEST(EditorInstance, AnOpenWindowGetsTitleAndMenuAndLeavesItsPlacementBehind)
{
    lm::test::OpenEditor editor;
    editor.instance.setTitle("Before");
    editor.window.placementToReport.left = 10;
    editor.open();
    EXPECT_TRUE(editor.window.calls.empty());
    editor.instance.setTitle(nullptr);
    editor.instance.setArchiveCallback(nullptr);
    EXPECT_EQ(editor.window.title, "");

    editor.instance.windowDestroyed();
    EXPECT_EQ(editor.window.calls,
              (std::vector<std::string>{"setTitle", "rebuildFileMenu", "takeColumnWidths", "capturePlacement"}));
    EXPECT_EQ(editor.instance.placement().left, 10);
    EXPECT_EQ(editor.instance.window(), nullptr);
    editor.instance.exitInstance(true); // no window: nothing happens
    editor.instance.saveInstance();
    editor.instance.setTitle("After");
    EXPECT_EQ(editor.window.calls.size(), 4u);
}
