#include "ui/EditorDialog.h"

#include "api/EditSettings.h"
#include "api/EditorInstance.h"
#include "res/CommandIds.h"
#include "ui/CommandHandlers.h"
#include "ui/CustomizeColumns.h"
#include "ui/KeepInSync.h"
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

BoardListContents boardListContents(const EditorInstance& instance)
{
    const BoardList& boards = instance.boards();
    BoardListContents contents;
    if (boards.empty() || (boards.size() == 1 && boards.front().boardId < 0))
        return contents;
    for (const MBSTACKUPENTRY& board : boards)
        contents.names.push_back(board.name);
    contents.selected = static_cast<int32_t>(boardShownOnOpening(boards, instance.currentBoardId()));
    return contents;
}

EditorDialog::EditorDialog(EditorInstance& instance, Platform& platform, EditorDialogView& view)
    : instance_(instance), platform_(platform), view_(view), menuBar_(mainMenuTemplate()),
      splitter_(instance.placement().sideBySide), grid_(instance, platform)
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
    grid_.setHooks(std::move(hooks));
}

void EditorDialog::addDialogCommands()
{
    // Printing and copying are not offered yet: without handlers they stay disabled.
    dialog_.add({IDOK, ID_APPLY_AND_CLOSE}, [this] { instance_.applyAndClose(platform_); });
    dialog_.add({IDCANCEL, ID_DISCARD_AND_CLOSE}, [this] { instance_.discardAndClose(platform_); });
    addArchiveAndHelpCommands(dialog_, instance_, platform_);
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
    dialog_.addUpdate(ID_CUSTOMIZE, [this](CommandUi& ui) { ui.enable(hasCustomView(instance_.tabs())); });
    dialog_.add(IDC_KEEP_IN_SYNC, [this] { keepInSyncToggled(); });
}

void EditorDialog::open()
{
    LMEDITSETTINGS& settings = instance_.settings();
    removeUnofferedInsertItems(menuBar_);
    view_.showMenuBar(menuBar_);
    view_.loadAccelerators();
    view_.createToolBar(boardListContents(instance_));

    const KeepInSyncCheckBox box = keepInSyncCheckBox(settings.caps);
    view_.showKeepInSync(box.shown, box.checked);
    if (box.shown)
        settings.keepInSync = box.checked;

    const TabSelection selection = initialTabSelection(instance_.tabs(), instance_.activeTab());
    view_.fillTabControl(tabControlItems(instance_.tabs()), selection.item);
    instance_.setActiveTab(selection.descriptor);

    view_.measureTemplateLayout();
    const WindowPlacement& placement = instance_.placement();
    const Rect stored = placementRect(placement);
    if (isPlacementStored(stored))
        view_.placeWindow(fitIntoWorkArea(stored, view_.workArea()), placement.maximized);
    const int32_t firstPane = firstPaneSizeAtOpening(placement.paneSize, splitter_.vertical(), view_.tabClientSize());

    if (!instance_.boards().empty())
        instance_.showBoard(boardShownOnOpening(instance_.boards(), instance_.currentBoardId()));
    grid_.reload();
    createPanes(firstPane);

    view_.setMinimumTrackingSize();
    view_.relayout();
    rebuildFileMenu();
    if (!instance_.title().empty())
        view_.showTitle(instance_.title());
}

void EditorDialog::createPanes(int32_t firstPaneSize)
{
    view_.recreatePanes(splitter_.vertical(), firstPaneSize);
    TabGrid* grid = view_.tabGrid();
    TabPanes* panes = view_.tabPanes();
    if (!grid || !panes)
        return;
    const int32_t active = instance_.activeTab();
    if (active < 0 || active >= instance_.tabCount()) {
        panes->showPictureForTab(-1);
        return;
    }
    const CTabDescr& tab = instance_.tabs()[static_cast<std::size_t>(active)];
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
    const std::size_t index = customViewTabIndex(instance_.tabs());
    CustomizeColumns model(instance_.tabs()[index]);
    if (!view_.runCustomizeDialog(model))
        return;
    if (TabGrid* grid = view_.tabGrid())
        applyCustomizedTab(instance_, index, model.accepted(), *grid);
    else
        instance_.tabs()[index] = model.accepted();
}

void EditorDialog::keepInSyncToggled()
{
    onKeepInSyncToggled(instance_, view_.keepInSyncChecked(),
                        {[this] { updatePanes(); }, [this] { view_.rewriteGridRows(); }});
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
    const bool changed = removeInsertItemsForBoardKind(*popup, instance_.settings().caps);
    router_.updateMenuPopup(*popup, states);
    return changed;
}

void EditorDialog::rebuildFileMenu()
{
    if (menuBar_.size() <= kFileMenu)
        return;
    std::vector<MenuItem>& fileMenu = menuBar_[kFileMenu].items;
    if (lm::rebuildFileMenu(fileMenu, instance_.archiveCallback()))
        view_.showFileMenu(fileMenu);
}

void EditorDialog::tabSelected(int32_t item)
{
    TabGrid* grid = view_.tabGrid();
    TabPanes* panes = view_.tabPanes();
    if (grid && panes)
        switchTab(instance_, item, *grid, *panes);
}

bool EditorDialog::selectTabById(int32_t tabId)
{
    const CTabDescrArray& tabs = instance_.tabs();
    for (std::size_t i = tabs.size(); i-- > 0;) {
        if (tabs[i].id() != tabId || !tabs[i].visible())
            continue;
        const auto descriptor = static_cast<int32_t>(i);
        if (descriptor == instance_.activeTab())
            return false;
        const int32_t item = tabControlIndexOf(tabs, descriptor);
        view_.selectTabItem(item);
        // As the user's switch: the tab's columns on the grid, its picture labels
        // and property bar. The grid records no new step while it undoes.
        TabGrid* grid = view_.tabGrid();
        TabPanes* panes = view_.tabPanes();
        if (grid && panes)
            switchTab(instance_, item, *grid, *panes);
        else
            instance_.setActiveTab(descriptor);
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
    instance_.showBoard(static_cast<std::size_t>(index));
    updatePanes();
}

void EditorDialog::takeColumnWidths()
{
    const int32_t active = instance_.activeTab();
    TabGrid* grid = view_.tabGrid();
    if (grid && active >= 0 && active < instance_.tabCount())
        takeColumnWidthsBack(instance_.tabs()[static_cast<std::size_t>(active)], *grid);
}

void EditorDialog::capturePlacement(WindowPlacement& placement, const Rect& normal, bool maximized,
                                    int32_t firstPaneSize) const
{
    placement.left = normal.left;
    placement.top = normal.top;
    placement.right = normal.right;
    placement.bottom = normal.bottom;
    placement.maximized = maximized;
    placement.paneSize = firstPaneSize;
    placement.sideBySide = splitter_.vertical();
}

} // namespace lm
