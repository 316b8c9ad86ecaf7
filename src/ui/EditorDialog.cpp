#include "ui/EditorDialog.h"

#include "charts/LossCurveDialog.h"
#include "charts/Z0CurveDialog.h"
#include "document/Board.h"
#include "document/EditorDocument.h"
#include "platform/ProfileStore.h"
#include "res/CommandIds.h"
#include "print/PrintCommands.h"
#include "ui/DialogOwner.h"
#include "ui/CommandHandlers.h"
#include "ui/CustomizeColumns.h"
#include "document/KeepInSync.h"
#include "ui/MenuModel.h"
#include "ui/TabControl.h"

#include <algorithm>

namespace lm {

using namespace res;

namespace {

bool hasCustomView(const CTabDescrArray& tabs)
{
    return std::any_of(tabs.begin(), tabs.end(), [](const CTabDescr& t) { return t.id() == kTabCustomView; });
}

} // namespace

BoardListContents boardListContents(const EditorDocument& document)
{
    const BoardList& boards = document.boards;
    BoardListContents contents;
    if (boards.empty() || (boards.size() == 1 && boards.front().boardId < 0))
        return contents;
    for (const MBSTACKUPENTRY& board : boards)
        contents.names.push_back(board.name);
    contents.selected = static_cast<int32_t>(boardShownOnOpening(boards, document.settings.currentBoardId));
    return contents;
}

EditorDialog::EditorDialog(DialogOwner& owner, Platform& platform, EditorDialogView& view)
    : owner_(owner), doc_(owner.document()), platform_(platform), view_(view), menuBar_(mainMenuTemplate()),
      splitter_(doc_.placement.sideBySide), grid_(doc_.settings, platform)
{
    addDialogCommands();
    application_.add(ID_APP_ABOUT, [this] { view_.showAboutBox(); });
    router_.setGrid(&grid_);
    router_.setDialog(&dialog_);
    router_.setApplication(&application_);
    router_.setGridIdleRefresh([this] { grid_.idleRefresh(); });
    LayerGridHooks hooks;
    hooks.updatePicture = [this] {
        if (TabPanes* panes = view_.tabPanes())
            panes->updatePicturePane();
    };
    hooks.tabs = this;
    hooks.z0Computed = [this](std::span<const double> z0) {
        if (StackupPicture* picture = view_.stackupPicture())
            picture->setZ0Values(z0);
    };
    hooks.openZ0Curve = [this](int32_t layerIndex) { openZ0Curve(layerIndex); };
    hooks.openLossCurve = [this](int32_t layerIndex) { openLossCurve(layerIndex); };
    grid_.setHooks(std::move(hooks));
}

void EditorDialog::addDialogCommands()
{
    dialog_.add({IDOK, ID_APPLY_AND_CLOSE}, [this] { owner_.applyAndClose(platform_); });
    dialog_.add({IDCANCEL, ID_DISCARD_AND_CLOSE}, [this] { owner_.discardAndClose(platform_); });
    addArchiveAndHelpCommands(dialog_, doc_, platform_);
    dialog_.add(ID_SPLIT_VERTICAL, [this] { chooseSplit(true); });
    dialog_.add(ID_SPLIT_HORIZONTAL, [this] { chooseSplit(false); });
    for (uint32_t id : {ID_SPLIT_VERTICAL, ID_SPLIT_HORIZONTAL}) {
        dialog_.addUpdate(id, [this](CommandUi& ui) {
            const SplitCommandState state = splitter_.commandState(ui.id());
            ui.enable(state.enabled);
            ui.setCheck(state.checked);
        });
    }
    dialog_.add({ID_CUSTOMIZE, IDC_CUSTOMIZE}, [this] { customize(); });
    // A host's tab list without Custom View leaves nothing to customize.
    dialog_.addUpdate(ID_CUSTOMIZE, [this](CommandUi& ui) { ui.enable(hasCustomView(doc_.tabs)); });
    dialog_.add(IDC_KEEP_IN_SYNC, [this] { keepInSyncToggled(); });
    addPrintCommands();
}

// Printing and copying read the layer records: the grid stores its rows first.
void EditorDialog::addPrintCommands()
{
    dialog_.add(ID_FILE_PRINT, [this] {
        grid_.commitIfModified();
        std::vector<int32_t> selected;
        for (int32_t row : grid_.cells().selectedRows())
            if (grid_.isLayerRow(row))
                selected.push_back(row - 1);
        printReportCommand(platform_, doc_.settings, doc_.designInfo, selected);
    });
    dialog_.add(ID_COPY_MANUFACTURING_DOC, [this] {
        grid_.commitIfModified();
        copyDocumentationCommand(platform_, doc_.settings, doc_.designInfo);
    });
    dialog_.add(ID_FILE_PRINT_PICTURE, [this] {
        grid_.commitIfModified();
        if (StackupPicture* picture = view_.stackupPicture())
            printPictureCommand(platform_, *picture, doc_.settings, doc_.designInfo);
    });
    dialog_.add(ID_COPY_PICTURE, [this] {
        grid_.commitIfModified();
        if (StackupPicture* picture = view_.stackupPicture())
            copyPictureCommand(platform_, *picture, doc_.settings, doc_.designInfo);
    });
}

void EditorDialog::open()
{
    LMEDITSETTINGS& settings = doc_.settings;
    removeUnofferedInsertItems(menuBar_);
    view_.showMenuBar(menuBar_);
    view_.loadAccelerators();
    view_.createToolBar(boardListContents(doc_));

    const KeepInSyncCheckBox box = keepInSyncCheckBox(settings.caps);
    view_.showKeepInSync(box.shown, box.checked);
    if (box.shown)
        settings.keepInSync = box.checked;

    const TabSelection selection = initialTabSelection(doc_.tabs, doc_.activeTab);
    view_.fillTabControl(tabControlItems(doc_.tabs), selection.item);
    doc_.activeTab = selection.descriptor;

    view_.measureTemplateLayout();
    const WindowPlacement& placement = doc_.placement;
    const Rect stored = placementRect(placement);
    if (isPlacementStored(stored))
        view_.placeWindow(fitIntoWorkArea(stored, view_.workArea()), placement.maximized);
    const int32_t firstPane = firstPaneSizeAtOpening(placement.paneSize, splitter_.vertical(), view_.tabClientSize());

    if (!doc_.boards.empty())
        doc_.showBoard(boardShownOnOpening(doc_.boards, doc_.settings.currentBoardId));
    grid_.reload();
    createPanes(firstPane);

    view_.setMinimumTrackingSize();
    view_.relayout();
    rebuildFileMenu();
    if (!doc_.title.empty())
        view_.showTitle(doc_.title);
}

void EditorDialog::createPanes(int32_t firstPaneSize)
{
    view_.recreatePanes(splitter_.vertical(), firstPaneSize);
    if (StackupPicture* picture = view_.stackupPicture())
        picture->setLayerMoves(&pictureMoves_);
    TabGrid* grid = view_.tabGrid();
    TabPanes* panes = view_.tabPanes();
    if (!grid || !panes)
        return;
    const int32_t active = doc_.activeTab;
    if (active < 0 || active >= doc_.tabCount()) {
        panes->showPictureForTab(-1);
        return;
    }
    const CTabDescr& tab = doc_.tabs[static_cast<std::size_t>(active)];
    grid->showTab(tab.id(), tab.columns(), tab.widthsKnown());
    panes->showPictureForTab(tab.id());
    panes->setGridPropertyBar(tab.propertyBarId());
}

void EditorDialog::chooseSplit(bool sideBySide)
{
    if (const std::optional<int32_t> firstPane = splitter_.chooseOrientation(sideBySide, view_.tabClientSize())) {
        createPanes(*firstPane);
        view_.relayout();
    }
}

void EditorDialog::customize()
{
    const std::size_t index = customViewTabIndex(doc_.tabs);
    CustomizeColumns model(doc_.tabs[index]);
    if (!view_.runCustomizeDialog(model))
        return;
    if (TabGrid* grid = view_.tabGrid())
        applyCustomizedTab(doc_, index, model.accepted(), *grid);
    else
        doc_.tabs[index] = model.accepted();
}

namespace {

// The layer a View... button stands for; null without a calculator or for an index outside the board.
const LMLAYEREX* graphLayer(const LMEDITSETTINGS& settings, int32_t layerIndex)
{
    const MBSTACKUPENTRY* board = settings.currentBoard;
    if (!settings.z0Calculator || !board || layerIndex < 0 || static_cast<std::size_t>(layerIndex) >= board->layers.size())
        return nullptr;
    return &board->layers[static_cast<std::size_t>(layerIndex)];
}

} // namespace

void EditorDialog::openZ0Curve(int32_t layerIndex)
{
    grid_.commitIfModified(); // the sweep reads the record, which takes the rows first
    if (const LMLAYEREX* layer = graphLayer(doc_.settings, layerIndex)) {
        CZ0CurveDialog dialog(doc_.settings, *layer);
        view_.runZ0CurveDialog(dialog);
    }
}

void EditorDialog::openLossCurve(int32_t layerIndex)
{
    grid_.commitIfModified(); // the host's calculator reads the board's records
    if (graphLayer(doc_.settings, layerIndex)) {
        const std::unique_ptr<ProfileStore> profile = owner_.openUserProfile();
        CLossCurve dialog(doc_.settings, layerIndex, *profile, platform_);
        view_.runLossCurveDialog(dialog);
    }
}

void EditorDialog::keepInSyncToggled()
{
    onKeepInSyncToggled(doc_, view_.keepInSyncChecked(), {[this] { updatePanes(); }, [this] { grid_.rewriteAllRows(); }});
}

void EditorDialog::updatePanes()
{
    grid_.reload();
    view_.updatePanes();
}

bool EditorDialog::popupOpening(std::span<const std::size_t> path, CommandStates& states)
{
    std::vector<MenuItem>* popup = &menuBar_;
    for (std::size_t index : path) {
        if (index >= popup->size() || !(*popup)[index].isPopup())
            return false;
        popup = &(*popup)[index].items;
    }
    if (path.empty())
        return false;
    const bool changed = removeInsertItemsForBoardKind(*popup, doc_.settings.caps);
    router_.updateMenuPopup(*popup, states);
    return changed;
}

void EditorDialog::rebuildFileMenu()
{
    if (menuBar_.size() <= kFileMenu)
        return;
    std::vector<MenuItem>& fileMenu = menuBar_[kFileMenu].items;
    if (lm::rebuildFileMenu(fileMenu, doc_.archiveCallback))
        view_.showFileMenu(fileMenu);
}

void EditorDialog::tabSelected(int32_t item)
{
    TabGrid* grid = view_.tabGrid();
    TabPanes* panes = view_.tabPanes();
    if (grid && panes)
        switchTab(doc_, item, *grid, *panes);
}

bool EditorDialog::selectTabById(int32_t tabId)
{
    const CTabDescrArray& tabs = doc_.tabs;
    for (std::size_t i = tabs.size(); i-- > 0;) {
        if (tabs[i].id() != tabId || !tabs[i].visible())
            continue;
        const auto descriptor = static_cast<int32_t>(i);
        if (descriptor == doc_.activeTab)
            return false;
        const int32_t item = tabControlIndexOf(tabs, descriptor);
        view_.selectTabItem(item);
        // As the user's switch: the tab's columns on the grid, its picture labels
        // and property bar. The grid records no new step while it undoes.
        TabGrid* grid = view_.tabGrid();
        TabPanes* panes = view_.tabPanes();
        if (grid && panes)
            switchTab(doc_, item, *grid, *panes);
        else
            doc_.activeTab = descriptor;
        return true;
    }
    return false;
}

void EditorDialog::boardPicked(int32_t index)
{
    if (index < 0)
        return;
    // Rows typed since the last idle pass belong to the board being left.
    grid_.commitIfModified();
    doc_.showBoard(static_cast<std::size_t>(index));
    updatePanes();
}

// ------------------------------------------------------------------ EditorWindow

void EditorDialog::commitPendingEdit()
{
    view_.finishOpenEdit();
    grid_.flush();
}

void EditorDialog::refreshPicture()
{
    if (TabPanes* panes = view_.tabPanes())
        panes->updatePicturePane();
}

void EditorDialog::prepareGridForClose() { view_.dropOpenEdit(); }

void EditorDialog::takeColumnWidths()
{
    const int32_t active = doc_.activeTab;
    TabGrid* grid = view_.tabGrid();
    if (grid && active >= 0 && active < doc_.tabCount())
        takeColumnWidthsBack(doc_.tabs[static_cast<std::size_t>(active)], *grid);
}

void EditorDialog::capturePlacement(WindowPlacement& placement)
{
    const WindowGeometry now = view_.geometryNow();
    placement.left = now.normal.left;
    placement.top = now.normal.top;
    placement.right = now.normal.right;
    placement.bottom = now.normal.bottom;
    placement.maximized = now.maximized;
    placement.paneSize = now.firstPaneSize;
    placement.sideBySide = splitter_.vertical();
}

void EditorDialog::finish(bool applied)
{
    if (finished_)
        return;
    // Column widths and placement are taken while the grid and the panes exist.
    windowGoing();
    view_.endRun(applied);
}

void EditorDialog::setTitle(std::string_view title) { view_.showTitle(title); }

void EditorDialog::windowGoing()
{
    if (finished_)
        return;
    finished_ = true;
    owner_.windowDestroyed();
}

} // namespace lm
