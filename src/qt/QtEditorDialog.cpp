#include "qt/QtEditorDialog.h"

#include "api/EditorInstance.h"
#include "qt/CoreCall.h"
#include "qt/IdleScheduler.h"
#include "qt/QtAboutBox.h"
#include "qt/QtConversions.h"
#include "qt/QtCustomizeDialog.h"
#include "qt/QtGraphDialogs.h"
#include "qt/QtGridPane.h"
#include "qt/QtGridView.h"
#include "qt/QtMenus.h"
#include "qt/QtPicturePane.h"
#include "qt/QtResources.h"
#include "qt/QtTemplateControls.h"
#include "qt/QtToolBar.h"
#include "res/CommandIds.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTabBar>
#include <QWindow>

#include <algorithm>

namespace lm::qt {
namespace {

const res::DialogTemplate& editorTemplate()
{
    // The editor template is part of the component's own data; it is always there.
    return *res::findDialogTemplate(res::IDD_LAMINAR);
}

Rect rectOf(const QRect& rect) { return {rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()}; }

} // namespace

QtEditorDialog::QtEditorDialog(EditorInstance& instance, RunMode mode)
    : QDialog(nullptr, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                           Qt::WindowCloseButtonHint),
      instance_(instance), mode_(mode), dialog_(instance, platform_, *this), units_(baseUnitsOf(font()))
{
    // The window class name of the editor, as hosts and tests look for it.
    setObjectName(QStringLiteral("Quorvex Laminar"));
    const res::DialogTemplate& tpl = editorTemplate();
    setWindowTitle(toQString(tpl.title));
    setWindowIcon(editorIcon());
    setSizeGripEnabled(false);
    platform_.setEditorWindow(this);

    menus_ = new QtMenus(
        dialog_, this, [this](uint32_t id, uint32_t code) { routeCommand(id, code); },
        [this] { return keyFocus(); });
    buildControls();
    const Rect client = dialogUnitsToPixels(0, 0, tpl.width, tpl.height, units_);
    resize(client.width(), client.height() + menus_->menuBar()->sizeHint().height());

    // Before opening: the stored placement is fitted into the host window's screen.
    makeTransientForHost();
    dialog_.open();
    if (!isPlacementStored(placementRect(instance_.placement())))
        sizeForFirstRun();
    idle_ = new IdleScheduler([this] { return idlePass(); }, this, this);
}

QtEditorDialog::~QtEditorDialog()
{
    // Destroyed without its run ending (the application went): the instance
    // still keeps what the window knows, while the grid is there.
    dialog_.windowGoing();
    if (QWindow* window = windowHandle())
        window->setTransientParent(nullptr);
    // The panes show the dialog's layer grid, a member that goes before the child widgets would.
    delete splitter_;
    splitter_ = nullptr;
    gridPane_ = nullptr;
    picturePane_ = nullptr;
}

void QtEditorDialog::buildControls()
{
    const res::DialogTemplate& tpl = editorTemplate();
    const std::vector<QWidget*> controls = createTemplateControls(tpl, this);
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const uint32_t id = tpl.items[i].id;
        if (auto* button = qobject_cast<QPushButton*>(controls[i])) {
            connect(button, &QPushButton::clicked, this, [this, id] { routeCommand(id, kCodeMenuOrClick); });
            (id == res::IDOK ? ok_ : id == res::IDCANCEL ? cancel_ : help_) = button;
        } else if (auto* check = qobject_cast<QCheckBox*>(controls[i])) {
            keepInSync_ = check;
            connect(check, &QCheckBox::clicked, this, [this, id] { routeCommand(id, kCodeMenuOrClick); });
        }
    }
    tabBar_ = new QTabBar(this);
    tabBar_->setObjectName(QStringLiteral("tabControl"));
    tabBar_->setExpanding(false);
    tabBar_->setDrawBase(false);
    connect(tabBar_, &QTabBar::currentChanged, this, [this](int item) {
        if (item < 0)
            return;
        // The tab changes only when the cell in edit can be left.
        if (gridPane_ && !gridPane_->gridView()->finishOpenEdit()) {
            const QSignalBlocker quiet(tabBar_);
            guarded([&] { tabBar_->setCurrentIndex(tabControlIndexOf(instance_.tabs(), instance_.activeTab())); });
            return;
        }
        guarded([&] { dialog_.tabSelected(item); });
    });
    display_ = new QFrame(this);
    display_->setFrameStyle(QFrame::StyledPanel | QFrame::Plain);
}

void QtEditorDialog::makeTransientForHost()
{
    void* parent = instance_.parentWindow();
    if (!parent)
        return;
    hostWindow_.reset(QWindow::fromWinId(reinterpret_cast<WId>(parent)));
    if (!hostWindow_)
        return;
    winId(); // the dialog's own window must exist to name its parent
    if (QWindow* window = windowHandle())
        window->setTransientParent(hostWindow_.get());
}

// ------------------------------------------------------------------ commands

bool QtEditorDialog::routeCommand(uint32_t id, uint32_t code)
{
    if (dialog_.finished())
        return false;
    bool handled = false;
    guarded([&] {
        handled = code == kCodeAccelerator ? dialog_.router().routeAccelerator(id) : dialog_.router().route(id, code);
    });
    if (idle_)
        idle_->request();
    return handled;
}

template <typename Work>
void QtEditorDialog::guarded(Work work)
{
    // While input is handled the window must outlive it, even when the run ends meanwhile.
    // A failure raised for a host's inconsistent data (no Custom View tab to
    // customize, say) is refused like a refused keystroke.
    ++commandDepth_;
    callCore(work);
    --commandDepth_;
}

bool QtEditorDialog::idlePass()
{
    if (dialog_.finished())
        return false;
    guarded([&] { dialog_.idle(toolBarStates_); });
    toolBar_->applyStates(toolBarStates_);
    return false;
}

KeyFocus QtEditorDialog::keyFocus() const
{
    QWidget* focus = QApplication::focusWidget();
    if (gridPane_ && focus == gridPane_->gridView())
        return KeyFocus::Grid;
    if (gridPane_ && focus != nullptr && gridPane_->gridView()->isAncestorOf(focus))
        return KeyFocus::CellEditor;
    return qobject_cast<QLineEdit*>(focus) != nullptr ? KeyFocus::TextField : KeyFocus::Other;
}

void QtEditorDialog::accept() { routeCommand(res::IDOK, kCodeMenuOrClick); }

void QtEditorDialog::reject() { routeCommand(res::IDCANCEL, kCodeMenuOrClick); }

void QtEditorDialog::closeEvent(QCloseEvent* event)
{
    if (dialog_.finished()) {
        event->accept();
        return;
    }
    // The close box is Discard & Close; the window goes only through finish().
    event->ignore();
    routeCommand(res::IDCANCEL, kCodeMenuOrClick);
}

// ------------------------------------------------------------------ the run's end

void QtEditorDialog::endRun(bool applied)
{
    applied_ = applied;
    if (mode_ == RunMode::Modal) {
        done(applied ? QDialog::Accepted : QDialog::Rejected);
        return;
    }
    if (commandDepth_ == 0) {
        delete this; // the host ended the run (or freed the instance): nothing of ours is on the stack
        return;
    }
    hide();
    deleteLater();
}

void QtEditorDialog::finishOpenEdit()
{
    // A refused value keeps its editor open; the rows are stored all the same.
    if (gridPane_)
        gridPane_->gridView()->finishOpenEdit();
}

void QtEditorDialog::dropOpenEdit()
{
    if (gridPane_)
        gridPane_->gridView()->dropOpenEdit();
}

WindowGeometry QtEditorDialog::geometryNow() const { return {rectOf(normalGeometry()), isMaximized(), firstPaneNow()}; }

// ------------------------------------------------------------------ TabPanes

void QtEditorDialog::showPictureForTab(int32_t tabId)
{
    if (picturePane_)
        picturePane_->setLabelMode(tabId);
}

void QtEditorDialog::setGridPropertyBar(int32_t templateId)
{
    if (gridPane_)
        gridPane_->setPropertyBar(templateId);
}

void QtEditorDialog::updatePicturePane()
{
    if (picturePane_)
        picturePane_->updateView();
}

// ------------------------------------------------------------------ EditorDialogView

void QtEditorDialog::showMenuBar(const std::vector<res::MenuItem>& menuBar) { menus_->showMenuBar(menuBar); }

void QtEditorDialog::loadAccelerators() { menus_->loadAccelerators(); }

void QtEditorDialog::createToolBar(const BoardListContents& boardList)
{
    toolBar_ = new QtToolBar(
        boardList, [this](uint32_t id) { routeCommand(id, kCodeMenuOrClick); },
        [this](int32_t index) {
            if (!dialog_.finished())
                guarded([&] { dialog_.boardPicked(index); });
        },
        this);
}

void QtEditorDialog::showKeepInSync(bool shown, bool checked)
{
    keepInSync_->setVisible(shown);
    keepInSync_->setChecked(checked);
}

void QtEditorDialog::fillTabControl(const std::vector<std::string>& items, int32_t selected)
{
    const QSignalBlocker quiet(tabBar_);
    while (tabBar_->count() > 0)
        tabBar_->removeTab(0);
    for (const std::string& item : items)
        tabBar_->addTab(toQString(item));
    tabBar_->setCurrentIndex(selected);
}

void QtEditorDialog::measureTemplateLayout() { layout_ = EditorWindowLayout::fromTemplate(editorTemplate(), units_); }

Rect QtEditorDialog::workArea() const
{
    const QScreen* shownOn = hostWindow_ && hostWindow_->screen() ? hostWindow_->screen() : screen();
    if (!shownOn)
        shownOn = QGuiApplication::primaryScreen();
    return shownOn ? rectOf(shownOn->availableGeometry()) : Rect{0, 0, width(), height()};
}

void QtEditorDialog::placeWindow(const Rect& rect, bool maximized)
{
    setGeometry(rect.left, rect.top, rect.width(), rect.height());
    if (maximized)
        setWindowState(windowState() | Qt::WindowMaximized);
}

void QtEditorDialog::setMinimumTrackingSize()
{
    const Size least = layout_->minimumTrackingSize(tabBar_->sizeHint().height(), toolBar_->sizeHint().height(),
                                                    instance_.settings().caps);
    setMinimumSize(least.width, least.height + menus_->menuBar()->sizeHint().height());
}

void QtEditorDialog::showTitle(std::string_view title)
{
    setWindowTitle(toQString(title));
}

Size QtEditorDialog::tabClientSize() const
{
    const QRect area = displayArea(arrangement().tabControl);
    const int frame = 2 * display_->frameWidth();
    return {std::max(0, area.width() - frame), std::max(0, area.height() - frame)};
}

void QtEditorDialog::recreatePanes(bool sideBySide, int32_t firstPaneSize)
{
    // The split commands come from the menu or the tool bar, never from a pane.
    // A cell in edit is left as a click elsewhere leaves it.
    if (gridPane_)
        gridPane_->gridView()->finishOpenEdit();
    delete splitter_;
    gridPane_ = nullptr;
    picturePane_ = nullptr;
    splitter_ = new QSplitter(sideBySide ? Qt::Horizontal : Qt::Vertical, display_);
    splitter_->setChildrenCollapsible(false);
    // A tracker follows the drag and the panes change once, when it ends.
    splitter_->setOpaqueResize(false);
    gridPane_ = new QtGridPane(instance_, platform_, dialog_.grid(), splitter_);
    picturePane_ = new QtPicturePane(instance_, splitter_);
    for (QtPane* pane : {static_cast<QtPane*>(gridPane_), static_cast<QtPane*>(picturePane_)})
        pane->setCommandOffer([this](uint32_t id, uint32_t code) { return routeCommand(id, code); });
    connect(splitter_, &QSplitter::splitterMoved, this, [this](int position) {
        firstPaneSize_ = position;
        dialog_.splitter().dragEnded({splitter_->width(), splitter_->height()}, position);
    });
    firstPaneSize_ = firstPaneSize;
    splitter_->setGeometry(display_->contentsRect());
    splitter_->show();
}

void QtEditorDialog::relayout()
{
    if (dialog_.finished() || !layout_ || !toolBar_)
        return;
    const int menuHeight = menus_->menuBar()->sizeHint().height();
    menus_->menuBar()->setGeometry(0, 0, width(), menuHeight);
    const EditorWindowRects rects = arrangement();
    toolBar_->setGeometry(toQRect(rects.toolBar));
    const QRect display = displayArea(rects.tabControl);
    tabBar_->setGeometry(rects.tabControl.left, rects.tabControl.top, rects.tabControl.width(),
                         display.top() - rects.tabControl.top);
    display_->setGeometry(display);
    ok_->setGeometry(toQRect(rects.ok));
    cancel_->setGeometry(toQRect(rects.cancel));
    help_->setGeometry(toQRect(rects.help));
    keepInSync_->setGeometry(toQRect(rects.keepInSync));
    keepInSync_->setVisible(rects.keepInSyncShown);
    layoutSplitter();
}

void QtEditorDialog::showFileMenu(const std::vector<res::MenuItem>& fileMenu) { menus_->showFileMenu(fileMenu); }

TabGrid* QtEditorDialog::tabGrid() { return gridPane_; }

TabPanes* QtEditorDialog::tabPanes() { return gridPane_ && picturePane_ ? this : nullptr; }

void QtEditorDialog::selectTabItem(int32_t item)
{
    const QSignalBlocker quiet(tabBar_);
    tabBar_->setCurrentIndex(item);
}

void QtEditorDialog::updatePanes()
{
    if (gridPane_)
        gridPane_->updateView();
    if (picturePane_)
        picturePane_->updateView();
}

bool QtEditorDialog::keepInSyncChecked() const { return keepInSync_->isChecked(); }

bool QtEditorDialog::runCustomizeDialog(CustomizeColumns& model)
{
    const bool ok = lm::qt::runCustomizeDialog(this, model);
    // The host may have ended the run while the dialog was up.
    return ok && !dialog_.finished();
}

void QtEditorDialog::showAboutBox() { lm::qt::showAboutBox(this); }

// The charts label their axes in the grid's font.
QFont QtEditorDialog::gridFont() const
{
    return gridPane_ && gridPane_->gridView() ? gridPane_->gridView()->font() : font();
}

void QtEditorDialog::runZ0CurveDialog(CZ0CurveDialog& dialog) { lm::qt::runZ0CurveDialog(this, dialog, gridFont()); }

void QtEditorDialog::runLossCurveDialog(CLossCurve& dialog) { lm::qt::runLossCurveDialog(this, dialog, gridFont()); }

StackupPicture* QtEditorDialog::stackupPicture() { return picturePane_ ? &picturePane_->picture() : nullptr; }

// ------------------------------------------------------------------ geometry

void QtEditorDialog::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    if (splitter_)
        relayout();
}

Rect QtEditorDialog::clientRect() const
{
    return {0, menus_->menuBar()->sizeHint().height(), width(), height()};
}

EditorWindowRects QtEditorDialog::arrangement() const
{
    return layout_->arrange(clientRect(), toolBar_->sizeHint().height(), instance_.settings().caps);
}

QRect QtEditorDialog::displayArea(const Rect& tabControl) const
{
    // The tab strip on top, the display area below it.
    const int strip = std::min(tabBar_->sizeHint().height(), tabControl.height());
    return QRect(tabControl.left, tabControl.top + strip, tabControl.width(), tabControl.height() - strip);
}

void QtEditorDialog::layoutSplitter()
{
    if (!splitter_)
        return;
    splitter_->setGeometry(display_->contentsRect());
    const Size client{splitter_->width(), splitter_->height()};
    firstPaneSize_ = dialog_.splitter().layout(client, firstPaneSize_);
    const int total = dialog_.splitter().vertical() ? client.width : client.height;
    splitter_->setSizes({firstPaneSize_, std::max(0, total - firstPaneSize_ - splitter_->handleWidth())});
}

void QtEditorDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        QMetaObject::invokeMethod(this, [this] { fitFrameOnScreen(); }, Qt::QueuedConnection);
}

void QtEditorDialog::fitFrameOnScreen()
{
    if (isFinished() || isMaximized() || isFullScreen())
        return;
    const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    const Rect now = rectOf(geometry().marginsAdded(frame));
    const Rect fitted = fitIntoWorkArea(now, workArea());
    if (fitted.left != now.left || fitted.top != now.top || fitted.right != now.right || fitted.bottom != now.bottom)
        setGeometry(toQRect(fitted).marginsRemoved(frame));
}

void QtEditorDialog::sizeForFirstRun()
{
    if (!gridPane_)
        return;
    const Size size = firstRunWindowSize({width(), height()}, tabClientSize().width,
                                         gridPane_->gridView()->widthShowingAllColumns(), workArea());
    resize(size.width, size.height);
}

int32_t QtEditorDialog::firstPaneNow() const
{
    if (splitter_ && splitter_->isVisible() && !splitter_->sizes().isEmpty())
        return splitter_->sizes().front();
    return firstPaneSize_;
}

} // namespace lm::qt
