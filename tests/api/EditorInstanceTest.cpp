#include "api/EditorInstance.h"

#include "FakeEditorWindow.h"
#include "HeadlessPlatform.h"
#include "model/Catalogues.h"
#include "model/LayerRecord.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using lm::EditorInstance;

namespace {

LMLAYEREX metalLayer(int32_t id, double resistivity = lm::metalProperties(lm::kCopper).bulkResistivity,
                     double tempCoef = lm::metalProperties(lm::kCopper).tempCoef)
{
    LMLAYEREX layer{};
    layer.nId = id;
    layer.nType = lm::kMetal;
    layer.nMetal = lm::kNoMetal;
    layer.dThickness = 35e-6;
    layer.dBulkResistivity = resistivity;
    layer.dTempCoef = tempCoef;
    return layer;
}

LMUNIT unitNamed(const char* name)
{
    LMUNIT unit{};
    std::strncpy(unit.szName, name, sizeof(unit.szName) - 1);
    unit.dLengthFactor = 1.0;
    return unit;
}

} // namespace

TEST(EditorInstance, CapsChangeOnlyTheMaskedBits)
{
    EditorInstance instance;
    EXPECT_EQ(instance.caps(0xFFFFFFFFu), 0x13Cu);
    instance.setCaps(0x80, 0xFFFFFFFFu);
    EXPECT_EQ(instance.caps(0xFFFFFFFFu), 0x1BCu);
    instance.setCaps(0x80, 0);
    EXPECT_EQ(instance.caps(0xFFFFFFFFu), 0x13Cu);
    instance.setCaps(0x104, 0x100); // clears 0x4, keeps 0x100
    EXPECT_EQ(instance.caps(0xFFFFFFFFu), 0x138u);
    EXPECT_EQ(instance.caps(0), 0u);
    EXPECT_EQ(instance.caps(0x30), 0x30u);
}

TEST(EditorInstance, SettingsAreRefusedOutsideTheUnitList)
{
    EditorInstance instance;
    const LMUNIT units[] = {unitNamed("Metric"), unitNamed("Imperial")};
    instance.setSupportedUnits(units, 2);

    LMSETTINGS settings{1, 1};
    instance.setSettings(&settings);
    LMSETTINGS out{};
    instance.getSettings(&out);
    EXPECT_EQ(out.unitIndex, 1);
    EXPECT_EQ(out.metalThicknessAs, 1);

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
}

TEST(EditorInstance, TabIndexIsCheckedAtBothEnds)
{
    EditorInstance instance;
    const int32_t count = instance.tabCount();
    ASSERT_EQ(count, 5);
    EXPECT_EQ(instance.tab(count - 1), instance.tabs().back().record());
    EXPECT_THROW(instance.tab(count), LMInvalidArgument);
    EXPECT_THROW(instance.tab(-1), LMInvalidArgument);
    EXPECT_EQ(instance.activeTab(), -1);
}

TEST(EditorInstance, RepeatedBoardIdsAnswerWithTheLastAddedForReadingAndShowing)
{
    // The window outlives the instance, which finishes a window still open.
    lm::test::HeadlessPlatform platform;
    lm::test::FakeEditorWindow window;
    EditorInstance instance;
    const LMLAYEREX first[] = {metalLayer(1)};
    const LMLAYEREX second[] = {metalLayer(1), metalLayer(2)};
    ASSERT_TRUE(instance.addStackup(7, "A", first, 1));
    ASSERT_TRUE(instance.addStackup(7, "B", second, 2));

    LMLAYEREX* layers = nullptr;
    int32_t count = 0;
    instance.getStackup(7, &layers, &count);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(layers, instance.boards()[1].layers.data());

    instance.setCurrentBoard(7);
    instance.openedWindow(window, platform, nullptr, "");
    EXPECT_EQ(instance.settings().currentBoard, &instance.boards()[1]);
}

TEST(EditorInstance, OpeningWithAnUnknownCurrentBoardShowsTheFirst)
{
    lm::test::HeadlessPlatform platform;
    lm::test::FakeEditorWindow window;
    EditorInstance instance;
    const LMLAYEREX layers[] = {metalLayer(1)};
    instance.addStackup(3, "A", layers, 1);
    instance.addStackup(4, "B", layers, 1);
    instance.setCurrentBoard(99);
    instance.openedWindow(window, platform, nullptr, "");
    EXPECT_EQ(instance.settings().currentBoard, &instance.boards()[0]);
    EXPECT_EQ(instance.currentBoardId(), 3);

    // A board added while the window is open must not leave the shown board dangling.
    instance.showBoard(1);
    for (int i = 0; i < 20; ++i)
        instance.addStackup(10 + i, "more", layers, 1);
    EXPECT_EQ(instance.settings().currentBoard, &instance.boards()[1]);
    EXPECT_THROW(instance.showBoard(instance.boards().size()), LMInvalidArgument);
}

TEST(EditorInstance, AddedLayersGetTheirMetalIdentifiedAndNoSpanField)
{
    EditorInstance instance;
    LMLAYEREX copper = metalLayer(1);
    copper.pDrillSpans = 0xDEADBEEF;
    LMLAYEREX odd = metalLayer(2, 1.0, 1.0);
    LMLAYEREX given = metalLayer(3, 1.0, 1.0);
    given.nMetal = lm::kGold;
    LMLAYEREX dielectric{};
    dielectric.nId = 4;
    dielectric.nType = lm::kDielectric;
    dielectric.nMetal = -1;
    const LMLAYEREX in[] = {copper, odd, given, dielectric};
    ASSERT_TRUE(instance.addStackup(1, "Board", in, 4));

    LMLAYEREX* out = nullptr;
    int32_t count = 0;
    instance.getStackup(1, &out, &count);
    ASSERT_EQ(count, 4);
    EXPECT_EQ(out[0].nMetal, lm::kCopper);
    EXPECT_EQ(out[1].nMetal, lm::kCustomMetal);
    EXPECT_EQ(out[2].nMetal, lm::kGold);
    EXPECT_EQ(out[3].nMetal, -1);
    for (int32_t i = 0; i < count; ++i)
        EXPECT_EQ(out[i].pDrillSpans, 0u);
    EXPECT_EQ(in[0].pDrillSpans, 0xDEADBEEFu); // the host's array is left alone
}

TEST(EditorInstance, BoardWithoutLayersReadsBackAsNullAndZero)
{
    EditorInstance instance;
    const LMLAYEREX layers[] = {metalLayer(1)};
    ASSERT_TRUE(instance.addStackup(2, nullptr, layers, 0));
    LMLAYEREX* out = reinterpret_cast<LMLAYEREX*>(0x1);
    int32_t count = 42;
    instance.getStackup(2, &out, &count);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(instance.boards()[0].name, "");
}

TEST(EditorInstance, TitleAndArchiveCallbackReachAnOpenWindow)
{
    lm::test::HeadlessPlatform platform;
    lm::test::FakeEditorWindow window;
    EditorInstance instance;
    instance.setTitle("Before");
    EXPECT_TRUE(window.calls.empty());

    instance.openedWindow(window, platform, nullptr, "");
    instance.setTitle(nullptr);
    EXPECT_EQ(window.count("setTitle"), 1);
    EXPECT_EQ(window.title, "");
    instance.setArchiveCallback(nullptr);
    EXPECT_EQ(window.count("rebuildFileMenu"), 1);
}

TEST(EditorInstance, DestroyedWindowLeavesItsPlacementBehind)
{
    lm::test::HeadlessPlatform platform;
    lm::test::FakeEditorWindow window;
    EditorInstance instance;
    window.placementToReport.left = 10;
    window.placementToReport.maximized = true;
    instance.openedWindow(window, platform, nullptr, "");
    instance.windowDestroyed();
    EXPECT_EQ(window.calls, (std::vector<std::string>{"takeColumnWidths", "capturePlacement"}));
    EXPECT_EQ(instance.placement().left, 10);
    EXPECT_TRUE(instance.placement().maximized);
    EXPECT_EQ(instance.window(), nullptr);
    instance.exitInstance(true); // no window: nothing happens
    instance.saveInstance();
    EXPECT_EQ(window.calls.size(), 2u);
}
