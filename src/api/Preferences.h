#pragma once
// Storing and restoring the user's preferences as integer profile values:
// tabs and columns (appearance), window placement and split, display and
// planning options. Each group carries a version; another version is ignored.
#include <laminar/laminar.h>

#include "document/EditSettings.h"
#include "platform/ProfileStore.h"
#include "document/TabDescr.h"

#include <filesystem>
#include <memory>
#include <string>

namespace lm {

class EditorWindow;
class IniProfileStore;

// The instance state the preferences read and write.
struct PreferenceState {
    CTabDescrArray& tabs;
    LMEDITSETTINGS& settings;
    WindowPlacement& placement;
    int32_t& activeTab;           // index of the active tab descriptor, -1 none
    EditorWindow* window;         // null while the window is closed
};

// A null flags pointer stands for appearance, placement and preferences.
LMREGFLAGS effectiveFlags(const LMREGFLAGS* flags);

void storePreferences(ProfileStore& store, const LMREGFLAGS& flags, const PreferenceState& state);
// A stored column count the tab cannot take raises LMInvalidArgument naming the
// section and entry ("[Laminar\\TAB#4] Count=-1: column count out of range");
// the instance's tabs stay as they were and placement and options are not restored.
void restorePreferences(ProfileStore& store, const LMREGFLAGS& flags, const PreferenceState& state);

// A stored window rectangle that is not ordered or lies beyond any desktop's
// coordinates stands for none (-1 each); so does a pane size beyond them.
void sanitisePlacement(WindowPlacement& placement);

// The store for one call: the per-user file under $XDG_CONFIG_HOME/<root>/<application>.ini
// (root "Quorvex" unless a key name redirects it), or the named initialisation file.
// Asked for an initialisation file without a name, it uses the per-user file.
std::unique_ptr<IniProfileStore> openProfileStore(bool useIniFile, const char* keyOrFileName);

// The per-user preferences file for a settings root (null or empty: "Quorvex").
// Backslashes in a key name nest folders, as they nest registry keys.
std::filesystem::path perUserProfilePath(const char* keyName);
// The component's module file name without folder and extension ("liblaminar").
std::string applicationName();

} // namespace lm
