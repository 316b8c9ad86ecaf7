#include "api/EditorInstance.h"

#include "api/IniProfileStore.h"

#include "document/ChangeFlags.h"
#include "api/EditorRun.h"
#include "ui/EditorWindow.h"
#include "api/Preferences.h"

namespace lm {

namespace {

std::string textOrEmpty(const char* text) { return text ? std::string(text) : std::string(); }

} // namespace

EditorInstance::EditorInstance(void* parentWindow) : parentWindow_(parentWindow)
{
    doc_.tabs = defaultTabs();
    doc_.settings.drc = &builtInDrc_;
}

EditorInstance::~EditorInstance()
{
    if (window_)
        window_->finish(false);
}

// ------------------------------------------------------------------ tabs

void EditorInstance::setTabs(const LMTABDESCR* records, int32_t count) { lm::setTabs(doc_.tabs, records, count); }

int32_t EditorInstance::tabCount() const { return static_cast<int32_t>(doc_.tabs.size()); }

LMTABDESCR* EditorInstance::tab(int32_t index)
{
    if (index < 0 || index >= tabCount())
        throw LMInvalidArgument("tab index out of range");
    return doc_.tabs[static_cast<std::size_t>(index)].record();
}

// ------------------------------------------------------------------ boards

bool EditorInstance::addStackup(int32_t boardId, const char* name, const LMLAYEREX* layers, int32_t count)
{
    if (!layers)
        return false;
    if (count < 0)
        throw LMInvalidArgument("negative layer count");
    appendBoard(doc_.boards, boardId, textOrEmpty(name), {layers, static_cast<std::size_t>(count)});
    // Appending may have moved the board an open window shows.
    doc_.pointAtShownBoardAgain();
    return true;
}

void EditorInstance::getStackup(int32_t boardId, LMLAYEREX** layers, int32_t* count)
{
    if (!layers || !count)
        throw LMInvalidArgument("null output pointer");
    MBSTACKUPENTRY* board = findBoard(doc_.boards, boardId);
    if (!board)
        throw LMInvalidArgument("no board carries this id");
    *layers = board->layers.empty() ? nullptr : board->layers.data();
    *count = static_cast<int32_t>(board->layers.size());
}

void EditorInstance::freeStackups()
{
    doc_.boards.clear();
    doc_.settings.currentBoard = nullptr;
}

bool EditorInstance::addDrillPairs(int32_t boardId, LMDRILLPAIR* pairs, int32_t count)
{
    if (!pairs)
        return false;
    if (count <= 0)
        return true;
    if (doc_.boards.empty())
        throw LMInvalidArgument("drill pairs for an instance without boards");
    lm::addDrillPairs(drillPairTarget(doc_.boards, boardId), {pairs, static_cast<std::size_t>(count)});
    return true;
}

uint32_t EditorInstance::getChanges(bool reset)
{
    const uint32_t flags = boardChangeFlags(doc_.boards, reset ? boardsAtReset_ : doc_.boardsAtOpen);
    if (reset)
        boardsAtReset_ = doc_.boards;
    return flags;
}

bool EditorInstance::boardsChangedSinceOpening() const
{
    // Boards the host added while the window was open are changes too.
    return doc_.boards.size() > doc_.boardsAtOpen.size() || boardChangeFlags(doc_.boards, doc_.boardsAtOpen) != 0;
}

// ------------------------------------------------------------------ settings

void EditorInstance::setSettings(const LMSETTINGS* settings)
{
    // A negative index would pass "below the unit count" and then select no unit.
    if (!settings || settings->unitIndex < 0 ||
        static_cast<std::size_t>(settings->unitIndex) >= doc_.settings.units.size())
        return;
    doc_.settings.unitIndex = settings->unitIndex;
    doc_.settings.metalThicknessAs = settings->metalThicknessAs;
}

void EditorInstance::getSettings(LMSETTINGS* settings) const
{
    if (!settings)
        throw LMInvalidArgument("null output pointer");
    settings->unitIndex = doc_.settings.unitIndex;
    settings->metalThicknessAs = doc_.settings.metalThicknessAs;
}

void EditorInstance::setSupportedUnits(const LMUNIT* units, int32_t count)
{
    if (!units || count <= 0)
        return;
    doc_.settings.units.assign(units, units + count);
    // A shorter list must not leave the index pointing past its end.
    if (static_cast<std::size_t>(doc_.settings.unitIndex) >= doc_.settings.units.size())
        doc_.settings.unitIndex = 0;
}

void EditorInstance::setSimParm(const LMSIMPARM* parm)
{
    if (!parm)
        return;
    doc_.settings.erFrequency = parm->erFrequency;
    doc_.settings.autoEr = parm->autoEr != 0;
    doc_.settings.fabCompensation = parm->fabCompensation != 0;
}

void EditorInstance::getSimParm(LMSIMPARM* parm) const
{
    if (!parm)
        throw LMInvalidArgument("null output pointer");
    parm->erFrequency = doc_.settings.erFrequency;
    parm->autoEr = doc_.settings.autoEr ? 1 : 0;
    parm->fabCompensation = doc_.settings.fabCompensation ? 1 : 0;
}

void EditorInstance::setArchiveCallback(ILMArchiveCallback* callback)
{
    doc_.archiveCallback = callback;
    if (window_)
        window_->rebuildFileMenu();
}

// ------------------------------------------------------------------ texts

void EditorInstance::setDesignInfo(const char* designName, const char* designer, const char* third)
{
    doc_.designInfo = {textOrEmpty(designName), textOrEmpty(designer), textOrEmpty(third)};
}

void EditorInstance::setHelpInfo(const char* helpFile, uint32_t contextId, uint32_t userValue, LMHELPPROC helpProc)
{
    doc_.helpInfo = {textOrEmpty(helpFile), contextId, userValue, helpProc};
}

void EditorInstance::setTitle(const char* title)
{
    doc_.title = textOrEmpty(title);
    if (window_)
        window_->setTitle(doc_.title);
}

// ------------------------------------------------------------------ preferences

PreferenceState EditorInstance::preferenceState()
{
    return PreferenceState{doc_.tabs, doc_.settings, doc_.placement, doc_.activeTab, window_};
}

void EditorInstance::saveToRegistry(bool useIniFile, const char* keyOrFileName, const LMREGFLAGS* flags)
{
    const std::unique_ptr<IniProfileStore> store = openProfileStore(useIniFile, keyOrFileName);
    storePreferences(*store, effectiveFlags(flags), preferenceState());
}

void EditorInstance::loadFromRegistry(bool useIniFile, const char* keyOrFileName, const LMREGFLAGS* flags)
{
    const std::unique_ptr<IniProfileStore> store = openProfileStore(useIniFile, keyOrFileName);
    try {
        restorePreferences(*store, effectiveFlags(flags), preferenceState());
    } catch (const LMInvalidArgument& refused) {
        // Named with its file, so that a host can tell the user where to look.
        throw LMInvalidArgument((store->file().string() + ": " + refused.what()).c_str());
    }
}

// ------------------------------------------------------------------ runs

bool EditorInstance::runModal()
{
    if (doc_.boards.empty() || window_)
        return false;
    return runEditorWindow(*this, RunMode::Modal, nullptr, nullptr);
}

bool EditorInstance::runNonModal(LMCLOSEPROC closeProc, const char* context)
{
    if (doc_.boards.empty() || window_)
        return false;
    return runEditorWindow(*this, RunMode::Modeless, closeProc, context);
}

std::unique_ptr<ProfileStore> EditorInstance::openUserProfile()
{
    // The store a save of preferences without a redirection writes.
    return openProfileStore(false, nullptr);
}

} // namespace lm
