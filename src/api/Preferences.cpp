#include "api/Preferences.h"

#include "ui/EditorWindow.h"
#include "api/IniProfileStore.h"

#include <dlfcn.h>

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <string_view>

namespace lm {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kMainSection = "Laminar";
constexpr std::string_view kDefaultRoot = "Quorvex";

// A stored group whose version differs from these is ignored when restoring.
constexpr int32_t kVerAppearance = 10;
constexpr int32_t kVerPlacement = 2;
constexpr int32_t kVerSettings = 1;
constexpr int32_t kVerPreferences = 3;


// Window coordinates of every desktop fit 16 bits; a stored value beyond is not
// a place a window was, and extents computed from it could overflow.
constexpr int32_t kMaxDesktopCoordinate = 32767;

constexpr int32_t kMinRestoredWidth = 2;
constexpr int32_t kMaxRestoredWidth = 200;

std::string tabSection(std::size_t tab)
{
    return std::string(kMainSection) + "\\TAB#" + std::to_string(tab);
}

std::string columnSection(std::size_t tab, std::size_t column)
{
    return tabSection(tab) + "\\Column#" + std::to_string(column);
}

int32_t countOf(std::size_t size)
{
    return static_cast<int32_t>(std::min<std::size_t>(size, std::numeric_limits<int32_t>::max()));
}

// Writes until the first failure; every later write of the call is skipped.
class ProfileWriter {
public:
    explicit ProfileWriter(ProfileStore& store) : store_(store) {}

    bool operator()(std::string_view section, std::string_view entry, int32_t value)
    {
        ok_ = ok_ && store_.writeInt(section, entry, value);
        return ok_;
    }
    bool operator()(std::string_view section, std::string_view entry, bool value)
    {
        return (*this)(section, entry, int32_t{value ? 1 : 0});
    }
    bool ok() const { return ok_; }

private:
    ProfileStore& store_;
    bool ok_ = true;
};

bool readBool(ProfileStore& store, std::string_view entry, bool current)
{
    return store.readInt(kMainSection, entry, current ? 1 : 0) != 0;
}

bool storeAppearance(ProfileWriter& write, const PreferenceState& state)
{
    if (state.window != nullptr && state.activeTab >= 0)
        state.window->takeColumnWidths();
    if (!write(kMainSection, "Tab Count", countOf(state.tabs.size())))
        return false;
    for (std::size_t i = 0; i < state.tabs.size(); ++i) {
        const CTabDescr& tab = state.tabs[i];
        const std::string section = tabSection(i);
        if (!write(section, "ID", tab.id()) || !write(section, "Visible", tab.visible()) ||
            !write(section, "Count", countOf(tab.columns().size())))
            return false;
        for (std::size_t j = 0; j < tab.columns().size(); ++j) {
            const std::string column = columnSection(i, j);
            if (!write(column, "ID", tab.columns()[j].columnId) || !write(column, "Width", tab.columns()[j].width))
                return false;
        }
    }
    return true;
}

bool storePlacement(ProfileWriter& write, const PreferenceState& state)
{
    if (state.window != nullptr)
        state.window->capturePlacement(state.placement);
    const WindowPlacement& p = state.placement;
    return write(kMainSection, "WP Left", p.left) && write(kMainSection, "WP Top", p.top) &&
           write(kMainSection, "WP Right", p.right) && write(kMainSection, "WP Bottom", p.bottom) &&
           write(kMainSection, "Maximized", p.maximized) && write(kMainSection, "Pane Size", p.paneSize) &&
           write(kMainSection, "VSplit", p.sideBySide);
}

void storeOptions(ProfileWriter& write, const PreferenceState& state)
{
    const LMEDITSETTINGS& s = state.settings;
    if (!write(kMainSection, "Active Tab", state.activeTab) || !write(kMainSection, "Strong Selection", s.keepSelection) ||
        !write(kMainSection, "Draw Pro Rata", s.drawProportionally))
        return;
    if ((s.caps & kCapLayerColors) != 0 && !write(kMainSection, "Layer Colors", s.layerColors))
        return;
    if ((s.caps & kCapDiffPairPlanning) != 0 &&
        (!write(kMainSection, "Z0 For DiffPair", s.z0DiffPair) || !write(kMainSection, "Z0 Strategy", s.z0Strategy)))
        return;
    if (write(kMainSection, "Auto Er", s.autoEr))
        write(kMainSection, "Fab Compensation", s.fabCompensation);
}

// The customizable tab takes its stored columns as they are; d is the default
// column at the same place, or the default list's last one beyond its end.
void restoreCustomColumns(ProfileStore& store, std::size_t tabIndex, const CTabDescr& defaultTab, CTabDescr& tab)
{
    const auto& defaults = defaultTab.columns();
    const int32_t count = store.readInt(tabSection(tabIndex), "Count", countOf(defaults.size()));
    try {
        tab.resizeColumns(count);
    } catch (const LMInvalidArgument& refused) {
        // The host can then tell the user which entry of the stored preferences to mend.
        const std::string where = "[" + tabSection(tabIndex) + "] Count=" + std::to_string(count) + ": ";
        throw LMInvalidArgument((where + refused.what()).c_str());
    }
    for (int32_t j = 0; j < count; ++j) {
        const std::size_t column = static_cast<std::size_t>(j);
        LMGRIDCOLDESCR d{};
        if (!defaults.empty())
            d = defaults[std::min(column, defaults.size() - 1)];
        const std::string section = columnSection(tabIndex, column);
        tab.column(column).columnId = store.readInt(section, "ID", d.columnId);
        tab.column(column).width = store.readInt(section, "Width", d.width);
    }
}

// Fixed tabs keep their columns; only plausible stored widths are taken, each
// by the last column carrying the stored id.
void restoreFixedWidths(ProfileStore& store, std::size_t tabIndex, CTabDescr& tab)
{
    for (std::size_t j = 0; j < static_cast<std::size_t>(std::numeric_limits<int32_t>::max()); ++j) {
        const std::string section = columnSection(tabIndex, j);
        const int32_t id = store.readInt(section, "ID", -1);
        if (id == -1)
            return;
        const int32_t width = store.readInt(section, "Width", -1);
        if (width < kMinRestoredWidth || width > kMaxRestoredWidth)
            continue;
        const auto& columns = tab.columns();
        const auto last = std::find_if(columns.rbegin(), columns.rend(),
                                       [id](const LMGRIDCOLDESCR& c) { return c.columnId == id; });
        if (last != columns.rend())
            tab.column(static_cast<std::size_t>(std::distance(columns.begin(), last.base()) - 1)).width = width;
    }
}

void restoreAppearance(ProfileStore& store, const PreferenceState& state)
{
    // Built aside, so that a refused column count leaves the instance's tabs as they were.
    const CTabDescrArray defaults = defaultTabs();
    CTabDescrArray restored(defaults.size());
    for (std::size_t i = 0; i < defaults.size(); ++i) {
        restored[i].setFromDefault(defaults[i]);
        restored[i].setWidthsKnown(true);
        if (defaults[i].customizable())
            restoreCustomColumns(store, i, defaults[i], restored[i]);
        else
            restoreFixedWidths(store, i, restored[i]);
    }
    state.tabs.swap(restored);
}

void restorePlacement(ProfileStore& store, WindowPlacement& p)
{
    p.left = store.readInt(kMainSection, "WP Left", -1);
    p.top = store.readInt(kMainSection, "WP Top", -1);
    p.right = store.readInt(kMainSection, "WP Right", -1);
    p.bottom = store.readInt(kMainSection, "WP Bottom", -1);
    p.maximized = store.readInt(kMainSection, "Maximized", 0) != 0;
    p.paneSize = store.readInt(kMainSection, "Pane Size", -1);
    p.sideBySide = store.readInt(kMainSection, "VSplit", 1) != 0;
    sanitisePlacement(p);
}

void restoreOptions(ProfileStore& store, const PreferenceState& state)
{
    const int32_t lastTab = countOf(state.tabs.size()) - 1;
    state.activeTab = std::min(store.readInt(kMainSection, "Active Tab", state.activeTab), lastTab);
    LMEDITSETTINGS& s = state.settings;
    s.keepSelection = readBool(store, "Strong Selection", s.keepSelection);
    s.drawProportionally = readBool(store, "Draw Pro Rata", s.drawProportionally);
    s.layerColors = readBool(store, "Layer Colors", s.layerColors);
    s.z0DiffPair = readBool(store, "Z0 For DiffPair", s.z0DiffPair);
    s.z0Strategy = store.readInt(kMainSection, "Z0 Strategy", s.z0Strategy);
    s.autoEr = readBool(store, "Auto Er", s.autoEr);
    s.fabCompensation = readBool(store, "Fab Compensation", s.fabCompensation);
}

fs::path configHome()
{
    // Only an absolute XDG_CONFIG_HOME counts; a relative one is to be ignored.
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg != nullptr && *xdg != '\0' && fs::path(xdg).is_absolute())
        return xdg;
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home != '\0')
        return fs::path(home) / ".config";
    return ".config";
}

void storeGroups(ProfileWriter& write, const LMREGFLAGS& flags, const PreferenceState& state)
{
    if (!write(kMainSection, "VerAppearance", kVerAppearance) || !write(kMainSection, "VerPlacement", kVerPlacement) ||
        !write(kMainSection, "VerSettings", kVerSettings) || !write(kMainSection, "VerPreferences", kVerPreferences))
        return;
    if (flags.appearance != 0 && !storeAppearance(write, state))
        return;
    if (flags.placement != 0 && !storePlacement(write, state))
        return;
    if (flags.preferences != 0)
        storeOptions(write, state);
}

} // namespace

void sanitisePlacement(WindowPlacement& p)
{
    const auto onDesktop = [](int32_t v) { return v >= -kMaxDesktopCoordinate && v <= kMaxDesktopCoordinate; };
    const bool ordered = p.left <= p.right && p.top <= p.bottom;
    if (!ordered || !onDesktop(p.left) || !onDesktop(p.top) || !onDesktop(p.right) || !onDesktop(p.bottom))
        p.left = p.top = p.right = p.bottom = -1;
    if (p.paneSize < -1 || p.paneSize > kMaxDesktopCoordinate)
        p.paneSize = -1;
}

LMREGFLAGS effectiveFlags(const LMREGFLAGS* flags)
{
    return flags != nullptr ? *flags : LMREGFLAGS{1, 1, 0, 1};
}

void storePreferences(ProfileStore& store, const LMREGFLAGS& flags, const PreferenceState& state)
{
    ProfileWriter write(store);
    storeGroups(write, flags, state);
    // The store keeps what was written before a failure, and makes it lasting in one go.
    store.flush();
}

void restorePreferences(ProfileStore& store, const LMREGFLAGS& flags, const PreferenceState& state)
{
    const int32_t appearance = store.readInt(kMainSection, "VerAppearance", 0);
    const int32_t placement = store.readInt(kMainSection, "VerPlacement", 0);
    const int32_t preferences = store.readInt(kMainSection, "VerPreferences", 0);
    if (flags.appearance != 0 && appearance == kVerAppearance)
        restoreAppearance(store, state);
    if (flags.placement != 0 && placement == kVerPlacement)
        restorePlacement(store, state.placement);
    if (flags.preferences != 0 && preferences == kVerPreferences)
        restoreOptions(store, state);
}

std::string applicationName()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&applicationName), &info) != 0 && info.dli_fname != nullptr) {
        std::string name = fs::path(info.dli_fname).filename().string();
        name = name.substr(0, name.find('.', 1)); // "liblaminar.so.0" -> "liblaminar"
        if (!name.empty())
            return name;
    }
    return "laminar";
}

fs::path perUserProfilePath(const char* keyName)
{
    // A key name may nest keys with backslashes; it never climbs out of the config folder.
    fs::path root;
    std::string_view rest = keyName != nullptr ? keyName : "";
    while (!rest.empty()) {
        const std::size_t end = rest.find_first_of("\\/");
        const std::string_view part = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        if (!part.empty() && part != "." && part != "..")
            root /= fs::path(part);
    }
    if (root.empty())
        root = kDefaultRoot;
    return configHome() / root / (applicationName() + ".ini");
}

std::unique_ptr<IniProfileStore> openProfileStore(bool useIniFile, const char* keyOrFileName)
{
    const bool named = keyOrFileName != nullptr && *keyOrFileName != '\0';
    if (useIniFile && named)
        return std::make_unique<IniProfileStore>(keyOrFileName);
    // An initialisation file without a name clears the root for the call: the
    // component's own per-user store is the one left.
    return std::make_unique<IniProfileStore>(perUserProfilePath(useIniFile ? nullptr : keyOrFileName));
}

} // namespace lm
