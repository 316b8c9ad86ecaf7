// Storing the preferences into an initialisation file: the default tabs, and a
// Custom View of 2000 columns (the store writes two entries per column).
#include "document/EditSettings.h"
#include "api/IniProfileStore.h"
#include "api/Preferences.h"

#include "TempDir.h"

#include <benchmark/benchmark.h>

namespace lm::bench {
namespace {

void storeInto(benchmark::State& state, CTabDescrArray tabs)
{
    test::TempDir temp;
    LMEDITSETTINGS settings;
    WindowPlacement placement;
    int32_t activeTab = 0;
    const PreferenceState preferences{tabs, settings, placement, activeTab, nullptr};
    for (auto _ : state) {
        IniProfileStore store(temp.path / "prefs.ini");
        storePreferences(store, LMREGFLAGS{1, 1, 0, 1}, preferences);
    }
}

void BM_StoreDefaultPreferences(benchmark::State& state)
{
    storeInto(state, defaultTabs());
}
BENCHMARK(BM_StoreDefaultPreferences)->Unit(benchmark::kMillisecond);

void BM_StoreCustomView2000(benchmark::State& state)
{
    CTabDescrArray tabs = defaultTabs();
    for (CTabDescr& tab : tabs) {
        if (tab.customizable()) {
            tab.resizeColumns(2000);
            for (std::size_t j = 0; j < tab.columns().size(); ++j)
                tab.column(j) = LMGRIDCOLDESCR{static_cast<int32_t>(j % 20), 40};
        }
    }
    storeInto(state, std::move(tabs));
}
BENCHMARK(BM_StoreCustomView2000)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
} // namespace lm::bench
