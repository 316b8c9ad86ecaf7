#pragma once
// What the instance asks of its open editor window. EditorDialog implements
// it; the instance's tests use a recording fake.
#include <string_view>

namespace lm {

struct WindowPlacement;

class EditorWindow {
public:
    virtual ~EditorWindow() = default;
    // Commits the edit in progress in the current grid cell into the layers.
    virtual void commitPendingEdit() = 0;
    // Redraws the picture and its status line (before a critical finding is shown).
    virtual void refreshPicture() = 0;
    // Keeps the grid from acting on a half-finished edit while the window goes.
    virtual void prepareGridForClose() = 0;
    // Takes the grid's current column widths into the active tab descriptor.
    virtual void takeColumnWidths() = 0;
    // The normal rectangle, maximized state, first-pane size and split orientation now.
    virtual void capturePlacement(WindowPlacement& placement) = 0;
    // Ends the run: a modal dialog ends with OK (applied) or Cancel; a modeless window is destroyed.
    virtual void finish(bool applied) = 0;
    virtual void setTitle(std::string_view title) = 0;
    // The archive callback changed: rebuild the File menu.
    virtual void rebuildFileMenu() = 0;
};

} // namespace lm
