#pragma once
// The editor window "Quorvex Laminar": menu bar, tool bar, the tab control
// "tabControl" whose display area holds the splitter with the grid pane and
// the picture pane, OK, Cancel, Help and "Keep Layers in Sync", laid out from
// template 1000. Behaviour lives in EditorDialog, which is also the window
// the instance talks to; this class builds the widgets it asks for and
// forwards input to it.
#include "api/EditorRun.h"
#include "qt/QtPlatform.h"
#include "command/CommandRouting.h"
#include "ui/EditorDialog.h"
#include "ui/TabControl.h"
#include "ui/WindowLayout.h"

#include <QDialog>
#include <QPointer>

#include <memory>
#include <optional>

class QCheckBox;
class QFrame;
class QPushButton;
class QSplitter;
class QTabBar;
class QWindow;

namespace lm {
class IdleScheduler;
}

namespace lm::qt {

class QtGridPane;
class QtMenus;
class QtPicturePane;
class QtToolBar;

class QtEditorDialog : public QDialog, public TabPanes, private EditorDialogView {
    Q_OBJECT

public:
    // Builds and sets up the whole window; the runner then reports its core
    // dialog to the instance and shows it.
    QtEditorDialog(EditorInstance& instance, RunMode mode);
    ~QtEditorDialog() override;

    Platform& platform() { return platform_; }
    // The window the instance talks to.
    EditorDialog& core() { return dialog_; }
    // The run ended, and whether the edits were applied.
    bool isFinished() const { return dialog_.finished(); }
    bool applied() const { return applied_; }

    // --- TabPanes
    void showPictureForTab(int32_t tabId) override;
    void setGridPropertyBar(int32_t templateId) override;
    void updatePicturePane() override;

public slots:
    // The default button and Escape: Apply & Close and Discard & Close through
    // the routing, which ends the dialog only when the close paths allow it.
    void accept() override;
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // --- EditorDialogView
    void showMenuBar(const std::vector<res::MenuItem>& menuBar) override;
    void loadAccelerators() override;
    void createToolBar(const BoardListContents& boardList) override;
    void showKeepInSync(bool shown, bool checked) override;
    void fillTabControl(const std::vector<std::string>& items, int32_t selected) override;
    void measureTemplateLayout() override;
    Rect workArea() const override;
    void placeWindow(const Rect& rect, bool maximized) override;
    void setMinimumTrackingSize() override;
    void showTitle(std::string_view title) override;
    Size tabClientSize() const override;
    void recreatePanes(bool sideBySide, int32_t firstPaneSize) override;
    void relayout() override;
    void showFileMenu(const std::vector<res::MenuItem>& fileMenu) override;
    TabGrid* tabGrid() override;
    TabPanes* tabPanes() override;
    void selectTabItem(int32_t item) override;
    void updatePanes() override;
    bool keepInSyncChecked() const override;
    bool runCustomizeDialog(CustomizeColumns& model) override;
    void showAboutBox() override;
    void runZ0CurveDialog(CZ0CurveDialog& dialog) override;
    void runLossCurveDialog(CLossCurve& dialog) override;
    QFont gridFont() const;
    StackupPicture* stackupPicture() override;
    void finishOpenEdit() override;
    void dropOpenEdit() override;
    WindowGeometry geometryNow() const override;
    // Modal: the dialog's loop ends. Modeless: the window goes, at once when no
    // command of its own is running, else as soon as that has returned.
    void endRun(bool applied) override;

    void buildControls();
    void makeTransientForHost();
    // Every command of the window goes through here: true when some target handled it.
    bool routeCommand(uint32_t id, uint32_t code);
    // Runs input the core handles; a failure it raises must not unwind through Qt.
    template <typename Work>
    void guarded(Work work);
    bool idlePass();
    KeyFocus keyFocus() const;

    // Geometry below the menu bar, and the tab control's parts within its rectangle.
    Rect clientRect() const;
    EditorWindowRects arrangement() const;
    QRect displayArea(const Rect& tabControl) const;
    void layoutSplitter();
    int32_t firstPaneNow() const;
    // Without a stored placement: large enough for the tab's columns beside the picture.
    void sizeForFirstRun();
    // Once the window is shown its frame is known: the frame too must fit on the screen.
    void fitFrameOnScreen();

    EditorInstance& instance_;
    RunMode mode_;
    QtPlatform platform_;
    EditorDialog dialog_;
    BaseUnits units_;
    std::optional<EditorWindowLayout> layout_;
    QtMenus* menus_ = nullptr;
    QtToolBar* toolBar_ = nullptr;
    QTabBar* tabBar_ = nullptr;
    QFrame* display_ = nullptr;
    QSplitter* splitter_ = nullptr;
    QtGridPane* gridPane_ = nullptr;
    QtPicturePane* picturePane_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* help_ = nullptr;
    QCheckBox* keepInSync_ = nullptr;
    IdleScheduler* idle_ = nullptr;
    CommandStates toolBarStates_;
    std::unique_ptr<QWindow> hostWindow_;
    int32_t firstPaneSize_ = 0;
    int commandDepth_ = 0;
    bool applied_ = false;
};

} // namespace lm::qt
