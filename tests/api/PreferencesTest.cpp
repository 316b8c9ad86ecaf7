#include "api/Preferences.h"

#include "FakeEditorWindow.h"
#include "MemoryProfileStore.h"

#include <gtest/gtest.h>

namespace {

using lm::test::FakeEditorWindow;
using lm::test::MemoryProfileStore;

constexpr const char* kMain = "Laminar";
constexpr LMREGFLAGS kAll{1, 1, 0, 1};
constexpr LMREGFLAGS kAppearanceOnly{1, 0, 0, 0};

struct Instance {
    lm::CTabDescrArray tabs = lm::defaultTabs();
    lm::LMEDITSETTINGS settings;
    lm::WindowPlacement placement;
    int32_t activeTab = -1;

    lm::PreferenceState state(lm::EditorWindow* window = nullptr)
    {
        return {tabs, settings, placement, activeTab, window};
    }
};

void storeVersions(MemoryProfileStore& store, int32_t appearance)
{
    store.set(kMain, "VerAppearance", appearance);
    store.set(kMain, "VerPlacement", 2);
    store.set(kMain, "VerPreferences", 3);
}

} // namespace

TEST(Preferences, StoreWritesVersionsFirstAndStopsAtTheFirstFailedWrite)
{
    Instance instance;
    MemoryProfileStore none;
    lm::storePreferences(none, LMREGFLAGS{0, 0, 0, 0}, instance.state());
    const std::vector<MemoryProfileStore::Write> versions{
        {kMain, "VerAppearance", 10}, {kMain, "VerPlacement", 2}, {kMain, "VerSettings", 1}, {kMain, "VerPreferences", 3}};
    EXPECT_EQ(none.writes, versions);
    EXPECT_EQ(none.flushes, 1);

    // An open window is asked for the widths (only with an active tab) and the placement first. The keys
    // written are read back by the round trip below.
    MemoryProfileStore full;
    FakeEditorWindow window;
    window.placementToReport.left = 11;
    window.placementToReport.maximized = true;
    lm::storePreferences(full, kAll, instance.state(&window));
    EXPECT_EQ(window.calls, std::vector<std::string>{"capturePlacement"});
    EXPECT_EQ(full.readInt(kMain, "WP Left", 0), 11);
    EXPECT_EQ(full.readInt(kMain, "Maximized", 0), 1);

    // Failing the 6th write: nothing at all is attempted after it, in any group;
    // the five before it are still made lasting.
    MemoryProfileStore failing;
    failing.failFromWrite = 6;
    instance.activeTab = 0;
    lm::storePreferences(failing, kAll, instance.state(&window));
    EXPECT_EQ(window.count("takeColumnWidths"), 1);
    EXPECT_EQ(failing.writes.size(), 6u);
    EXPECT_EQ(window.count("capturePlacement"), 1);
    EXPECT_FALSE(failing.has(kMain, "Active Tab"));
    EXPECT_EQ(failing.flushes, 1);
}

TEST(Preferences, CapabilityBitsChooseWhichOptionsAreWrittenButNotWhichAreRead)
{
    Instance instance;
    instance.settings.caps = 0x13C & ~0x20u; // no layer colours, no diff-pair planning
    MemoryProfileStore store;
    lm::storePreferences(store, LMREGFLAGS{0, 0, 0, 1}, instance.state());
    const auto written = [&store] {
        return std::vector<bool>{store.has(kMain, "Layer Colors"), store.has(kMain, "Z0 For DiffPair"),
                                 store.has(kMain, "Z0 Strategy"), store.has(kMain, "Auto Er")};
    };
    EXPECT_EQ(written(), (std::vector<bool>{false, false, false, true}));

    store.set(kMain, "Layer Colors", 0);
    store.set(kMain, "Z0 Strategy", 2);
    lm::restorePreferences(store, kAll, instance.state());
    EXPECT_FALSE(instance.settings.layerColors);
    EXPECT_EQ(instance.settings.z0Strategy, 2);

    instance.settings.caps = 0x22;
    store = {};
    lm::storePreferences(store, LMREGFLAGS{0, 0, 0, 1}, instance.state());
    EXPECT_EQ(written(), (std::vector<bool>{true, true, true, true}));
    EXPECT_EQ(store.readInt(kMain, "Z0 Strategy", -1), 2);
}

TEST(Preferences, RestoreIgnoresGroupsOfAnotherVersion)
{
    Instance instance;
    instance.tabs.resize(1);
    MemoryProfileStore store;
    storeVersions(store, 9);
    store.set(kMain, "VerPlacement", 1);
    store.set(kMain, "WP Left", 5);
    lm::restorePreferences(store, kAll, instance.state());
    EXPECT_EQ(instance.tabs.size(), 1u);
    EXPECT_EQ(instance.placement.left, -1);

    // The right version replaces any tab list by the five defaults, all with known widths.
    store.set(kMain, "VerAppearance", 10);
    lm::restorePreferences(store, kAppearanceOnly, instance.state());
    ASSERT_EQ(instance.tabs.size(), 5u);
    EXPECT_EQ(instance.tabs[0].propertyBarId(), 1017);
    EXPECT_TRUE(instance.tabs[4].customizable() && instance.tabs[0].widthsKnown());
}

TEST(Preferences, RestoredWidthsOfFixedTabsAreRangeCheckedAndCustomOnesAreNot)
{
    Instance instance;
    MemoryProfileStore store;
    storeVersions(store, 10);
    // Basic tab: stored in another order; widths out of 2..200 are dropped.
    const std::pair<int32_t, int32_t> basic[] = {{3, 201}, {4, 1}, {5, 200}, {6, 2}, {99, 50}, {7, 60}};
    for (int j = 0; j < 6; ++j) {
        const std::string section = "Laminar\\TAB#0\\Column#" + std::to_string(j);
        store.set(section, "ID", basic[j].first);
        store.set(section, "Width", basic[j].second);
    }
    store.set("Laminar\\TAB#0\\Column#6", "ID", -1);
    store.set("Laminar\\TAB#0\\Column#7", "ID", 0); // beyond the end marker: never read
    store.set("Laminar\\TAB#0\\Column#7", "Width", 99);
    // Custom View: three columns, only the first one stored; the rest follow the defaults.
    store.set("Laminar\\TAB#4", "Count", 3);
    store.set("Laminar\\TAB#4\\Column#0", "ID", 14);
    store.set("Laminar\\TAB#4\\Column#0", "Width", 201);
    store.set("Laminar\\TAB#4\\Column#1", "ID", 5);

    lm::restorePreferences(store, kAppearanceOnly, instance.state());
    std::vector<int32_t> basicWidths, custom;
    for (const LMGRIDCOLDESCR& c : instance.tabs[0].columns())
        basicWidths.push_back(c.width);
    EXPECT_EQ(basicWidths, (std::vector<int32_t>{17, 16, 18, 36, 28, 200, 2, 60, 27, 16}));
    for (const LMGRIDCOLDESCR& c : instance.tabs[4].columns())
        custom.insert(custom.end(), {c.columnId, c.width});
    // Entry 1 takes its missing width from the default entry at that place (Color).
    EXPECT_EQ(custom, (std::vector<int32_t>{14, 201, 5, 16, 2, 18}));

    // More columns than the default list: the extra ones default to its last column.
    store.set("Laminar\\TAB#4", "Count", 22);
    lm::restorePreferences(store, kAppearanceOnly, instance.state());
    ASSERT_EQ(instance.tabs[4].columns().size(), 22u);
    EXPECT_EQ(instance.tabs[4].columns()[21].columnId, 19);
    EXPECT_EQ(instance.tabs[4].record()->columnCount, 22);

    // A negative count is refused and the tabs stay as they were.
    store.set("Laminar\\TAB#4", "Count", -1);
    EXPECT_THROW(lm::restorePreferences(store, kAppearanceOnly, instance.state()), LMInvalidArgument);
    EXPECT_EQ(instance.tabs[4].columns().size(), 22u);
}

TEST(Preferences, EveryGroupSurvivesARoundTripAndActiveTabIsLowered)
{
    Instance saved;
    saved.tabs[2].column(1).width = 77;
    saved.tabs[4].setColumns({{3, 40}, {14, 250}});
    saved.placement = {10, 20, 800, 600, true, 333, false};
    saved.activeTab = 3;
    lm::LMEDITSETTINGS& s = saved.settings;
    s.caps = 0x22;
    s.keepSelection = s.z0DiffPair = s.fabCompensation = true;
    s.drawProportionally = s.layerColors = s.autoEr = false;
    s.z0Strategy = 2;
    MemoryProfileStore store;
    lm::storePreferences(store, kAll, saved.state());

    Instance loaded;
    lm::restorePreferences(store, kAll, loaded.state());
    EXPECT_EQ(loaded.tabs[2].columns()[1].width, 77);
    ASSERT_EQ(loaded.tabs[4].columns().size(), 2u);
    EXPECT_EQ(loaded.tabs[4].columns()[1].width, 250);
    const lm::WindowPlacement& p = loaded.placement;
    EXPECT_EQ(std::vector<int32_t>({p.left, p.top, p.right, p.bottom, p.maximized, p.paneSize, p.sideBySide}),
              std::vector<int32_t>({10, 20, 800, 600, 1, 333, 0}));
    EXPECT_EQ(loaded.activeTab, 3);
    const lm::LMEDITSETTINGS& l = loaded.settings;
    EXPECT_EQ(std::vector<int32_t>({l.keepSelection, l.drawProportionally, l.layerColors, l.z0DiffPair, l.z0Strategy,
                                    l.autoEr, l.fabCompensation}),
              std::vector<int32_t>({1, 0, 0, 1, 2, 0, 1}));

    store.set(kMain, "Active Tab", 7);
    lm::restorePreferences(store, kAll, loaded.state());
    EXPECT_EQ(loaded.activeTab, 4);
}
