#include "api/EditorInstance.h"

#include "api/IniProfileStore.h"

#include "api/ChangeFlags.h"
#include "api/EditorRun.h"
#include "api/EditorWindow.h"
#include "api/IniProfileStore.h"
#include "api/Preferences.h"

namespace lm {

namespace {

std::string textOrEmpty(const char* text) { return text ? std::string(text) : std::string(); }

} // namespace

EditorInstance::EditorInstance(void* parentWindow) : parentWindow_(parentWindow), tabs_(defaultTabs())
{
    settings_.drc = &builtInDrc_;
}

EditorInstance::~EditorInstance()
{
    if (window_)
        window_->finish(false);
}

// ------------------------------------------------------------------ tabs

void EditorInstance::setTabs(const LMTABDESCR* records, int32_t count) { lm::setTabs(tabs_, records, count); }

int32_t EditorInstance::tabCount() const { return static_cast<int32_t>(tabs_.size()); }

LMTABDESCR* EditorInstance::tab(int32_t index)
{
    if (index < 0 || index >= tabCount())
        throw LMInvalidArgument("tab index out of range");
    return tabs_[static_cast<std::size_t>(index)].record();
}

// ------------------------------------------------------------------ boards

bool EditorInstance::addStackup(int32_t boardId, const char* name, const LMLAYEREX* layers, int32_t count)
{
    if (!layers)
        return false;
    if (count < 0)
        throw LMInvalidArgument("negative layer count");
    appendBoard(boards_, boardId, textOrEmpty(name), {layers, static_cast<std::size_t>(count)});
    // Appending may have moved the board an open window shows.
    if (settings_.currentBoard)
        pointAtShownBoard(shownBoard_);
    return true;
}

void EditorInstance::getStackup(int32_t boardId, LMLAYEREX** layers, int32_t* count)
{
    if (!layers || !count)
        throw LMInvalidArgument("null output pointer");
    MBSTACKUPENTRY* board = findBoard(boards_, boardId);
    if (!board)
        throw LMInvalidArgument("no board carries this id");
    *layers = board->layers.empty() ? nullptr : board->layers.data();
    *count = static_cast<int32_t>(board->layers.size());
}

void EditorInstance::freeStackups()
{
    boards_.clear();
    settings_.currentBoard = nullptr;
}

bool EditorInstance::addDrillPairs(int32_t boardId, LMDRILLPAIR* pairs, int32_t count)
{
    if (!pairs)
        return false;
    if (count <= 0)
        return true;
    if (boards_.empty())
        throw LMInvalidArgument("drill pairs for an instance without boards");
    lm::addDrillPairs(drillPairTarget(boards_, boardId), {pairs, static_cast<std::size_t>(count)});
    return true;
}

void EditorInstance::showBoard(std::size_t index)
{
    if (index >= boards_.size())
        throw LMInvalidArgument("board index out of range");
    pointAtShownBoard(index);
}

void EditorInstance::pointAtShownBoard(std::size_t index)
{
    shownBoard_ = index;
    settings_.currentBoard = &boards_[index];
    settings_.currentBoardId = boards_[index].boardId;
}

uint32_t EditorInstance::getChanges(bool reset)
{
    const uint32_t flags = boardChangeFlags(boards_, reset ? boardsAtReset_ : boardsAtOpen_);
    if (reset)
        boardsAtReset_ = boards_;
    return flags;
}

bool EditorInstance::boardsChangedSinceOpening() const
{
    // Boards the host added while the window was open are changes too.
    return boards_.size() > boardsAtOpen_.size() || boardChangeFlags(boards_, boardsAtOpen_) != 0;
}

// ------------------------------------------------------------------ settings

void EditorInstance::setSettings(const LMSETTINGS* settings)
{
    // A negative index would pass "below the unit count" and then select no unit.
    if (!settings || settings->unitIndex < 0 ||
        static_cast<std::size_t>(settings->unitIndex) >= settings_.units.size())
        return;
    settings_.unitIndex = settings->unitIndex;
    settings_.metalThicknessAs = settings->metalThicknessAs;
}

void EditorInstance::getSettings(LMSETTINGS* settings) const
{
    if (!settings)
        throw LMInvalidArgument("null output pointer");
    settings->unitIndex = settings_.unitIndex;
    settings->metalThicknessAs = settings_.metalThicknessAs;
}

void EditorInstance::setSupportedUnits(const LMUNIT* units, int32_t count)
{
    if (!units || count <= 0)
        return;
    settings_.units.assign(units, units + count);
    // A shorter list must not leave the index pointing past its end.
    if (static_cast<std::size_t>(settings_.unitIndex) >= settings_.units.size())
        settings_.unitIndex = 0;
}

void EditorInstance::setSimParm(const LMSIMPARM* parm)
{
    if (!parm)
        return;
    settings_.erFrequency = parm->erFrequency;
    settings_.autoEr = parm->autoEr != 0;
    settings_.fabCompensation = parm->fabCompensation != 0;
}

void EditorInstance::getSimParm(LMSIMPARM* parm) const
{
    if (!parm)
        throw LMInvalidArgument("null output pointer");
    parm->erFrequency = settings_.erFrequency;
    parm->autoEr = settings_.autoEr ? 1 : 0;
    parm->fabCompensation = settings_.fabCompensation ? 1 : 0;
}

void EditorInstance::setArchiveCallback(ILMArchiveCallback* callback)
{
    archiveCallback_ = callback;
    if (window_)
        window_->rebuildFileMenu();
}

// ------------------------------------------------------------------ texts

void EditorInstance::setDesignInfo(const char* designName, const char* designer, const char* third)
{
    designInfo_ = {textOrEmpty(designName), textOrEmpty(designer), textOrEmpty(third)};
}

void EditorInstance::setHelpInfo(const char* helpFile, uint32_t contextId, uint32_t userValue, LMHELPPROC helpProc)
{
    helpInfo_ = {textOrEmpty(helpFile), contextId, userValue, helpProc};
}

void EditorInstance::setTitle(const char* title)
{
    title_ = textOrEmpty(title);
    if (window_)
        window_->setTitle(title_);
}

// ------------------------------------------------------------------ preferences

PreferenceState EditorInstance::preferenceState()
{
    return PreferenceState{tabs_, settings_, placement_, activeTab_, window_};
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
    if (boards_.empty() || window_)
        return false;
    return runEditorWindow(*this, RunMode::Modal, nullptr, nullptr);
}

bool EditorInstance::runNonModal(LMCLOSEPROC closeProc, const char* context)
{
    if (boards_.empty() || window_)
        return false;
    return runEditorWindow(*this, RunMode::Modeless, closeProc, context);
}

} // namespace lm
