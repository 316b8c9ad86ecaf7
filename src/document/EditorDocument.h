#pragma once
// What an editor instance holds that its window works on: the settings, the
// boards with their snapshot at opening, the tabs and the active one, the
// placement of the last window, and the texts and host objects the window's
// commands use. The instance owns it; the dialog and its panes reach it by
// reference.
#include <laminar/laminar.h>

#include "document/Boards.h"
#include "document/EditSettings.h"
#include "document/TabDescr.h"

#include <cstddef>
#include <string>

namespace lm {

struct DesignInfo {
    std::string designName;
    std::string designer;
    std::string third;
};

struct HelpInfo {
    std::string helpFile;
    uint32_t contextId = 0;
    uint32_t userValue = 0;
    LMHELPPROC helpProc = nullptr;
};

struct EditorDocument {
    LMEDITSETTINGS settings;
    BoardList boards;
    BoardList boardsAtOpen; // taken when the window opens
    CTabDescrArray tabs;
    int32_t activeTab = -1; // index of the active tab descriptor, -1 none
    WindowPlacement placement;
    DesignInfo designInfo;
    HelpInfo helpInfo;
    std::string title;
    ILMArchiveCallback* archiveCallback = nullptr;

    int32_t tabCount() const { return static_cast<int32_t>(tabs.size()); }
    // Board `index` becomes the one the settings show; out of range is an invalid argument.
    void showBoard(std::size_t index);
    // The shown board again after the board list grew (its storage may have moved).
    void pointAtShownBoardAgain();

private:
    std::size_t shownBoard_ = 0; // index behind settings.currentBoard while it is set
};

} // namespace lm
