#pragma once
// One editor instance as the host sees it through its handle: the boards with
// their drill pairs, the snapshots the change flags compare against, the
// settings and service objects, the tabs, and the run of the editor window
// with its two ways of ending. One method per exported operation.
#include <laminar/laminar.h>

#include "document/EditorDocument.h"
#include "model/BuiltInRulesCheck.h"
#include "ui/DialogOwner.h"

#include <string>
#include <string_view>

namespace lm {

class EditorWindow;
class Platform;
struct PreferenceState;

class EditorInstance final : public DialogOwner {
public:
    explicit EditorInstance(void* parentWindow = nullptr);
    // Destroys a window that is still open (without calling the close function).
    ~EditorInstance();
    EditorInstance(const EditorInstance&) = delete;
    EditorInstance& operator=(const EditorInstance&) = delete;

    // --- tabs
    void setTabs(const LMTABDESCR* records, int32_t count);
    int32_t tabCount() const;
    LMTABDESCR* tab(int32_t index);

    // --- boards
    // False (nothing added) for a null layer pointer; a negative count is an invalid argument.
    bool addStackup(int32_t boardId, const char* name, const LMLAYEREX* layers, int32_t count);
    // The instance's own records of the most recently added board with that id;
    // null and 0 for a board without layers.
    void getStackup(int32_t boardId, LMLAYEREX** layers, int32_t* count);
    void freeStackups();
    bool addDrillPairs(int32_t boardId, LMDRILLPAIR* pairs, int32_t count);
    void setCurrentBoard(int32_t boardId) { doc_.settings.currentBoardId = boardId; }
    int32_t currentBoardId() const { return doc_.settings.currentBoardId; }
    // The user picked entry `index` of the board list.
    void showBoard(std::size_t index) { doc_.showBoard(index); }
    uint32_t getChanges(bool reset);

    // --- settings
    void setSettings(const LMSETTINGS* settings);
    void getSettings(LMSETTINGS* settings) const;
    void setSupportedUnits(const LMUNIT* units, int32_t count);
    void setCaps(uint32_t mask, uint32_t values) { doc_.settings.caps = (doc_.settings.caps & ~mask) | (values & mask); }
    uint32_t caps(uint32_t mask) const { return doc_.settings.caps & mask; }
    void setSimParm(const LMSIMPARM* parm);
    void getSimParm(LMSIMPARM* parm) const;

    // --- host objects, kept by pointer and never owned
    IZ0Calculator* z0Calculator() const { return doc_.settings.z0Calculator; }
    void setZ0Calculator(IZ0Calculator* calculator) { doc_.settings.z0Calculator = calculator; }
    IDRC* drc() const { return doc_.settings.drc; }
    void setDrc(IDRC* drc) { doc_.settings.drc = drc; }
    ILMDefaultLayer* defaultLayer() const { return doc_.settings.defaultLayer; }
    void setDefaultLayer(ILMDefaultLayer* layer) { doc_.settings.defaultLayer = layer; }
    void* matLib() const { return doc_.settings.matLib; }
    void setMatLib(void* matLib) { doc_.settings.matLib = matLib; }
    ILMArchiveCallback* archiveCallback() const { return doc_.archiveCallback; }
    void setArchiveCallback(ILMArchiveCallback* callback);

    // --- texts (null counts as empty)
    void setDesignInfo(const char* designName, const char* designer, const char* third);
    const DesignInfo& designInfo() const { return doc_.designInfo; }
    void setHelpInfo(const char* helpFile, uint32_t contextId, uint32_t userValue, LMHELPPROC helpProc);
    const HelpInfo& helpInfo() const { return doc_.helpInfo; }
    void setTitle(const char* title);
    const std::string& title() const { return doc_.title; }

    // --- preferences
    void saveToRegistry(bool useIniFile, const char* keyOrFileName, const LMREGFLAGS* flags);
    void loadFromRegistry(bool useIniFile, const char* keyOrFileName, const LMREGFLAGS* flags);

    // --- runs; both refuse while there is no board or a window is already open
    bool runModal();
    bool runNonModal(LMCLOSEPROC closeProc, const char* context);
    // Apply & Close (true) or Discard & Close (false) as if the user chose it; nothing without a window.
    void exitInstance(bool apply);
    // The rules check of Apply & Close without closing; nothing without a window.
    void saveInstance();

    // --- the window's side of a run
    // The window exists: choose the board shown and take both snapshots. A modal
    // run passes no close function.
    void openedWindow(EditorWindow& window, Platform& platform, LMCLOSEPROC closeProc, std::string_view context);
    // The window is going: keep its column widths and placement for storing preferences.
    void windowDestroyed() override;
    std::unique_ptr<ProfileStore> openUserProfile() override;
    // The close paths; true when the window was told to finish.
    bool applyAndClose(Platform& platform) override;
    bool discardAndClose(Platform& platform) override;
    // Commits the pending edit and checks every board; the window stays open.
    void saveInstance(Platform& platform);

    // --- what the window, the grid, the picture and printing read
    EditorDocument& document() override { return doc_; }
    const EditorDocument& document() const { return doc_; }
    LMEDITSETTINGS& settings() { return doc_.settings; }
    const LMEDITSETTINGS& settings() const { return doc_.settings; }
    const BoardList& boards() const { return doc_.boards; }
    // The window edits layer records in place; it never adds or removes boards,
    // so settings().currentBoard stays valid.
    BoardList& boardsForEditing() { return doc_.boards; }
    const BoardList& boardsAtOpen() const { return doc_.boardsAtOpen; }
    CTabDescrArray& tabs() { return doc_.tabs; }
    int32_t activeTab() const { return doc_.activeTab; }
    void setActiveTab(int32_t index) { doc_.activeTab = index; }
    const WindowPlacement& placement() const { return doc_.placement; }
    void* parentWindow() const { return parentWindow_; }
    EditorWindow* window() const { return window_; }
    LMCLOSEPROC closeProc() const { return closeProc_; }
    const std::string& closeContext() const { return closeContext_; }

private:
    PreferenceState preferenceState();
    bool boardsChangedSinceOpening() const;
    // Step 2 of Apply & Close: false when the user or a critical finding stops it.
    bool boardsPassRulesCheck(Platform& platform);
    void finishRun(bool applied);

    void* parentWindow_;
    CDefDRC builtInDrc_;
    EditorDocument doc_;
    BoardList boardsAtReset_;
    LMCLOSEPROC closeProc_ = nullptr;
    std::string closeContext_;
    EditorWindow* window_ = nullptr;
    Platform* platform_ = nullptr;
    bool finishing_ = false; // the close function runs: a second close from inside it is ignored
};

} // namespace lm
