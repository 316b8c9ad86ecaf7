#pragma once
// The editor dialog's behaviour without a toolkit: the commands it carries out
// itself, the order in which its window is set up, the switches of tab and
// board, the split commands with their enabling, and the wiring of the panes
// (the picture's drag and double click go to the grid). It is the window the
// instance talks to. The Qt dialog implements EditorDialogView, builds its
// widgets when asked and forwards input here.
#include "grid/LayerGrid.h"
#include "grid/TabChangeCmd.h"
#include "res/Menus.h"
#include "command/CommandRouting.h"
#include "command/CommandTarget.h"
#include "ui/EditorWindow.h"
#include "ui/PictureMovesOnGrid.h"
#include "ui/Splitter.h"
#include "ui/WindowLayout.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lm {

class CLossCurve;
class CZ0CurveDialog;
class CustomizeColumns;
class DialogOwner;
class Platform;
class TabGrid;
class TabPanes;
struct EditorDocument;
struct WindowPlacement;

// The tool bar's board list: every board's name in order with the board shown
// on opening selected; no names at all for a single board with a negative id.
struct BoardListContents {
    std::vector<std::string> names;
    int32_t selected = -1;
};
BoardListContents boardListContents(const EditorDocument& document);

// Where the window is now, as its placement is recorded.
struct WindowGeometry {
    Rect normal;
    bool maximized = false;
    int32_t firstPaneSize = 0;
};

// What the dialog asks of its window.
class EditorDialogView {
public:
    virtual ~EditorDialogView() = default;

    // --- opening, called in this order
    virtual void showMenuBar(const std::vector<res::MenuItem>& menuBar) = 0;
    virtual void loadAccelerators() = 0;
    virtual void createToolBar(const BoardListContents& boardList) = 0;
    virtual void showKeepInSync(bool shown, bool checked) = 0;
    // Fills the tab control without reporting a tab switch.
    virtual void fillTabControl(const std::vector<std::string>& items, int32_t selected) = 0;
    // The tab control's margins and the buttons' offsets, from the template.
    virtual void measureTemplateLayout() = 0;
    virtual Rect workArea() const = 0;
    virtual void placeWindow(const Rect& rect, bool maximized) = 0;
    virtual void setMinimumTrackingSize() = 0;
    virtual void showTitle(std::string_view title) = 0;

    // --- opening and later
    // The tab control's display area, where the splitter goes.
    virtual Size tabClientSize() const = 0;
    // The splitter is emptied and gets a new grid pane and picture pane, side by
    // side or stacked, the grid pane `firstPaneSize` pixels wide or high.
    virtual void recreatePanes(bool sideBySide, int32_t firstPaneSize) = 0;
    virtual void relayout() = 0;
    virtual void showFileMenu(const std::vector<res::MenuItem>& fileMenu) = 0;
    // Null while there are no panes.
    virtual TabGrid* tabGrid() = 0;
    virtual TabPanes* tabPanes() = 0;
    // Selects a tab control item without reporting a tab switch.
    virtual void selectTabItem(int32_t item) = 0;
    // Both panes rebuild from the data.
    virtual void updatePanes() = 0;
    virtual bool keepInSyncChecked() const = 0;
    // True on OK.
    virtual bool runCustomizeDialog(CustomizeColumns& model) = 0;
    virtual void showAboutBox() = 0;
    // The graph dialogs, modal, their charts labelled in the grid's font.
    virtual void runZ0CurveDialog(CZ0CurveDialog& dialog) = 0;
    virtual void runLossCurveDialog(CLossCurve& dialog) = 0;
    // The picture pane's picture; null while there are no panes.
    virtual StackupPicture* stackupPicture() = 0;

    // --- the instance's questions and the run's end
    // The grid view's open cell editor is left as a click elsewhere leaves it
    // (a refused value keeps it open).
    virtual void finishOpenEdit() = 0;
    // The grid view's open cell editor closes without giving up its text.
    virtual void dropOpenEdit() = 0;
    // The normal rectangle, the maximized state and the first pane's size now.
    virtual WindowGeometry geometryNow() const = 0;
    // Modal: the dialog's loop ends. Modeless: the window goes.
    virtual void endRun(bool applied) = 0;
};

class EditorDialog : public TabSwitchTarget, public EditorWindow {
public:
    // All three must outlive the dialog.
    EditorDialog(DialogOwner& owner, Platform& platform, EditorDialogView& view);
    EditorDialog(const EditorDialog&) = delete;
    EditorDialog& operator=(const EditorDialog&) = delete;

    // The window's set-up after its controls exist: menus, accelerators, tool
    // bar, check box, tabs, placement, panes, layout, File menu and title. The
    // instance takes its snapshots when the runner reports the open window.
    void open();

    // Menus, accelerators, buttons and bar controls go through here, the layer grid first.
    CommandRouter& router() { return router_; }
    // The layer grid lives as long as the window; re-created panes show it again.
    LayerGrid& grid() { return grid_; }
    SplitterModel& splitter() { return splitter_; }
    const std::vector<res::MenuItem>& menuBar() const { return menuBar_; }

    // A popup of the menu bar opens (path: indices from the menu bar down): the
    // insert items the board kind does not offer leave it, then its command items
    // are updated into `states`. True when the popup's items changed.
    bool popupOpening(std::span<const std::size_t> path, CommandStates& states);
    // Idle: the tool bar's buttons are updated into `states`.
    void idle(CommandStates& states) { router_.updateToolBar(states); }

    // The user selected tab control item `item`.
    void tabSelected(int32_t item);
    // The grid's undo asks for the tab with that id (the last descriptor carrying
    // it that has a tab control item). Nothing when it is the active tab already
    // or there is none; otherwise the tab control shows it and the picture and the
    // grid's property bar follow it. True when it changed.
    bool selectTabById(int32_t tabId) override;
    // The user picked entry `index` of the board list.
    void boardPicked(int32_t index);

    // --- EditorWindow
    // The open cell editor is left, then every row goes into the layers.
    void commitPendingEdit() override;
    void refreshPicture() override;
    void prepareGridForClose() override;
    void takeColumnWidths() override;
    void capturePlacement(WindowPlacement& placement) override;
    // The instance forgets the window (taking its widths and placement), then the view ends the run.
    void finish(bool applied) override;
    void setTitle(std::string_view title) override;
    // The archive callback may have changed; the view gets the File menu when it did.
    void rebuildFileMenu() override;

    // The View... buttons of a layer row (zero-based index into the board shown):
    // the graph dialogs, none without a calculator or for an index outside the board.
    void openZ0Curve(int32_t layerIndex);
    void openLossCurve(int32_t layerIndex);

    // The window goes without its run ending (the application went): the
    // instance still takes what the window knows. Nothing after finish().
    void windowGoing();
    // finish() or windowGoing() ran: the window no longer touches the instance.
    bool finished() const { return finished_; }

private:
    void addDialogCommands();
    void addPrintCommands();
    // Creates the panes and puts the active tab on them.
    void createPanes(int32_t firstPaneSize);
    void chooseSplit(bool sideBySide);
    void customize();
    void keepInSyncToggled();
    // The grid shows the current board's layers anew and both panes follow.
    void updatePanes();

    DialogOwner& owner_;
    EditorDocument& doc_;
    Platform& platform_;
    EditorDialogView& view_;
    std::vector<res::MenuItem> menuBar_;
    SplitterModel splitter_;
    CommandMap dialog_;
    CommandMap application_;
    LayerGrid grid_;
    PictureMovesOnGrid pictureMoves_{grid_};
    CommandRouter router_;
    bool finished_ = false;
};

} // namespace lm
