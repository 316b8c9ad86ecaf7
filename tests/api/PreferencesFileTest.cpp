// Preferences files as lmLoadFromRegistry and lmSaveToRegistry meet them:
// damaged entries, and how often a store touches the file.
#include "api/EditorInstance.h"
#include "document/EditSettings.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <sys/inotify.h>
#include <unistd.h>

#include <string>

namespace {

namespace fs = std::filesystem;
using lm::test::writeFileText;

class PreferencesFile : public ::testing::Test {
protected:
    lm::test::TempDir temp;
    const fs::path file = temp.path / "prefs.ini";
    lm::EditorInstance instance;

    void load(const std::string& text)
    {
        writeFileText(file, text);
        instance.loadFromRegistry(true, file.c_str(), nullptr);
    }
};

// How many times a file of that name was renamed into the folder while `act` ran.
template <typename Act>
int replacementsOf(const fs::path& file, Act act)
{
    const int watch = ::inotify_init1(IN_NONBLOCK);
    EXPECT_GE(watch, 0);
    EXPECT_GE(::inotify_add_watch(watch, file.parent_path().c_str(), IN_MOVED_TO), 0);
    act();
    int count = 0;
    alignas(inotify_event) char buffer[64 * 1024];
    for (ssize_t got; (got = ::read(watch, buffer, sizeof buffer)) > 0;) {
        for (char* at = buffer; at < buffer + got;) {
            const auto* event = reinterpret_cast<const inotify_event*>(at);
            count += event->len > 0 && file.filename() == event->name;
            at += sizeof(inotify_event) + event->len;
        }
    }
    ::close(watch);
    return count;
}

} // namespace

TEST_F(PreferencesFile, ColumnCountOutOfRangeNamesFileAndEntryAndKeepsTheTabs)
{
    for (const char* count : {"-1", "65537"}) {
        const std::string text = std::string("[Laminar]\nVerAppearance=10\nVerPlacement=2\nWP Left=5\n[Laminar\\TAB#4]\nCount=") +
                                 count + "\n";
        writeFileText(file, text);
        try {
            instance.loadFromRegistry(true, file.c_str(), nullptr);
            ADD_FAILURE() << "count " << count << " was taken";
        } catch (const LMInvalidArgument& refused) {
            EXPECT_EQ(file.string() + ": [Laminar\\TAB#4] Count=" + count + ": column count out of range",
                      refused.what());
        }
        EXPECT_EQ(instance.tabCount(), 5);
        EXPECT_EQ(instance.tab(4)->columnCount, static_cast<int32_t>(lm::defaultTabs()[4].columns().size()));
        EXPECT_EQ(instance.placement().left, -1);
    }
    load("[Laminar]\nVerAppearance=10\n[Laminar\\TAB#4]\nCount=65536\n");
    EXPECT_EQ(instance.tab(4)->columnCount, 65536);
}

TEST_F(PreferencesFile, StoredPlacementIsDroppedWhenUnorderedOrBeyondAnyDesktop)
{
    const auto placementAfter = [&](const std::string& entries) {
        load("[Laminar]\nVerPlacement=2\n" + entries);
        const lm::WindowPlacement& p = instance.placement();
        return std::vector<int32_t>{p.left, p.top, p.right, p.bottom, p.paneSize};
    };
    using Values = std::vector<int32_t>;
    // The extent of these would overflow 32 bits, or be a window that cannot paint.
    EXPECT_EQ(placementAfter("WP Left=1\nWP Top=0\nWP Right=-2147483648\nWP Bottom=600\n"), (Values{-1, -1, -1, -1, -1}));
    EXPECT_EQ(placementAfter("WP Left=0\nWP Top=0\nWP Right=16777215\nWP Bottom=600\n"), (Values{-1, -1, -1, -1, -1}));
    EXPECT_EQ(placementAfter("WP Left=800\nWP Top=0\nWP Right=10\nWP Bottom=600\n"), (Values{-1, -1, -1, -1, -1}));
    EXPECT_EQ(placementAfter("WP Left=0\nWP Top=0\nWP Right=10\nWP Bottom=10\nPane Size=2147483647\n"),
              (Values{0, 0, 10, 10, -1}));
    // A window partly off a desktop left of the primary screen is a real place.
    EXPECT_EQ(placementAfter("WP Left=-1900\nWP Top=-20\nWP Right=-100\nWP Bottom=1000\nPane Size=400\n"),
              (Values{-1900, -20, -100, 1000, 400}));
}

TEST_F(PreferencesFile, OneStoreReplacesTheFileOnce)
{
    writeFileText(file, "; the user's own remark\n");
    EXPECT_EQ(replacementsOf(file, [&] { instance.saveToRegistry(true, file.c_str(), nullptr); }), 1);
    EXPECT_EQ(lm::test::fileText(file).find("; the user's own remark\n[Laminar]\nVerAppearance=10\n"), 0u);
}
