#include "ui/EditorDialog.h"

#include "ui/MenuModel.h"

#include "MenuTexts.h"
#include "OpenEditor.h"
#include "TabTestGrid.h"
#include "res/CommandIds.h"
#include "model/LayerRecord.h"
#include "ui/CustomizeColumns.h"
#include "charts/LossCurveDialog.h"
#include "charts/Z0CurveDialog.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace lm::res;
using lm::CommandStates;

namespace {

// A window that records what the dialog asks of it, in the editor's shared log.
struct FakeDialogView : lm::EditorDialogView {
    lm::test::EventLog& log;
    lm::test::RecordingTabGrid grid;
    lm::test::RecordingTabPanes panes;
    lm::Size tabClient{1000, 400};
    lm::Rect shownPlacement;
    lm::BoardListContents boardList;
    std::vector<std::string> fileMenu;
    bool checkBoxChecked = false;
    std::function<bool(lm::CustomizeColumns&)> customize;

    explicit FakeDialogView(lm::test::EventLog& l) : log(l) {}
    void note(const std::string& call) { log.push_back(call); }

    void showMenuBar(const std::vector<lm::MenuItem>&) override { note("menu bar"); }
    void loadAccelerators() override { note("accelerators"); }
    void createToolBar(const lm::BoardListContents& list) override { boardList = list, note("tool bar"); }
    void showKeepInSync(bool shown, bool checked) override { note(shown ? checked ? "box checked" : "box" : "no box"); }
    void fillTabControl(const std::vector<std::string>& items, int32_t at) override
    {
        note("tabs " + std::to_string(items.size()) + " select " + std::to_string(at));
    }
    void measureTemplateLayout() override { note("measure"); }
    lm::Rect workArea() const override { return {0, 0, 1600, 900}; }
    void placeWindow(const lm::Rect& r, bool max) override { shownPlacement = r, note(max ? "max" : "place"); }
    void setMinimumTrackingSize() override { note("minimum size"); }
    void showTitle(std::string_view title) override { note("title " + std::string(title)); }
    lm::Size tabClientSize() const override { return tabClient; }
    void recreatePanes(bool beside, int32_t first) override
    {
        note((beside ? "beside " : "stacked ") + std::to_string(first));
    }
    void relayout() override { note("layout"); }
    void showFileMenu(const std::vector<lm::MenuItem>& menu) override { fileMenu = menuTexts(menu), note("file menu"); }
    lm::TabGrid* tabGrid() override { return &grid; }
    lm::TabPanes* tabPanes() override { return &panes; }
    void selectTabItem(int32_t item) override { note("select item " + std::to_string(item)); }
    void updatePanes() override { note("update panes"); }
    bool keepInSyncChecked() const override { return checkBoxChecked; }
    bool runCustomizeDialog(lm::CustomizeColumns& model) override { return customize && customize(model); }
    void showAboutBox() override { note("about"); }
    void runZ0CurveDialog(lm::CZ0CurveDialog&) override { note("z0 curve"); }
    void runLossCurveDialog(lm::CLossCurve&) override { note("loss curve"); }
    lm::StackupPicture* stackupPicture() override { return nullptr; }
    void finishOpenEdit() override { note("finish edit"); }
    void dropOpenEdit() override { note("drop edit"); }
    lm::WindowGeometry geometryNow() const override { return {}; }
    void endRun(bool applied) override { note(applied ? "end applied" : "end discarded"); }
};

// Two boards, the window open in the recording fakes and the dialog set up on it.
struct DialogFixture : lm::test::OpenEditor {
    FakeDialogView view{log};
    lm::EditorDialog dialog{instance, platform, view};

    DialogFixture()
    {
        lm::test::addBoard(instance, 7, {1, 2});
        lm::test::addBoard(instance, 8, {3});
        dialog.open();
        open();
        log.clear();
    }
    lm::CommandUiState state(uint32_t id)
    {
        lm::CommandUiState s;
        lm::CommandUi ui(id, s);
        dialog.router().update(ui);
        return s;
    }
};

} // namespace

TEST(EditorDialog, OpeningRunsInOrder)
{
    lm::test::OpenEditor e;
    lm::test::addBoard(e.instance, -1, {1});
    // A placement left by an earlier run: 100 pixels beyond the work area's right edge, stacked.
    e.window.placementToReport = {100, 50, 1700, 650, true, 333, false};
    e.open();
    e.instance.windowDestroyed();
    e.instance.setCaps(0xC0, 0xC0); // check box shown and checked
    e.instance.setActiveTab(1);
    e.instance.setTitle("Board A");
    e.log.clear();

    FakeDialogView view(e.log);
    lm::EditorDialog dialog(e.instance, e.platform, view);
    dialog.open();
    EXPECT_EQ(e.log, (lm::test::EventLog{"menu bar", "accelerators", "tool bar", "box checked",
                                         "tabs 5 select 1", "measure", "max", "stacked 333",
                                         "minimum size", "layout", "file menu", "title Board A"}));
    EXPECT_EQ(view.shownPlacement, (lm::Rect{0, 50, 1600, 650}));
    EXPECT_TRUE(view.boardList.names.empty()); // a single board with a negative id has no list
    EXPECT_EQ(view.grid.shownTab, lm::kTabDielectric);
    EXPECT_EQ(view.panes.calls, (std::vector<std::string>{"picture tab 1", "bar 1018"}));
    EXPECT_EQ(view.fileMenu.back(), "Discard && &Close\tAlt+F4"); // no callback, no archive items
    EXPECT_TRUE(e.instance.settings().keepInSync);
}

TEST(EditorDialog, SplitCommandsEnableCheckAndRecreate)
{
    DialogFixture e;
    EXPECT_EQ(e.state(ID_SPLIT_VERTICAL), (lm::CommandUiState{false, true, true}));
    EXPECT_EQ(e.state(ID_SPLIT_HORIZONTAL), (lm::CommandUiState{true, false, false}));

    EXPECT_TRUE(e.dialog.router().route(ID_SPLIT_VERTICAL)); // side by side already: nothing
    EXPECT_TRUE(e.log.empty());
    e.dialog.router().route(ID_SPLIT_HORIZONTAL);
    EXPECT_EQ(e.state(ID_SPLIT_HORIZONTAL), (lm::CommandUiState{false, true, true}));
    e.dialog.router().route(ID_SPLIT_HORIZONTAL); // stacked while stacked: half height again
    e.view.tabClient = {500, 300};
    e.dialog.router().route(ID_SPLIT_VERTICAL);
    EXPECT_EQ(e.log, (lm::test::EventLog{"stacked 200", "layout", "stacked 200", "layout",
                                         "beside 300", "layout"}));
    // Opening and every re-creation tell the new panes the active tab (picture, bar).
    EXPECT_EQ(e.view.panes.calls.size(), 4u * 2u);
}

TEST(EditorDialog, AnOpeningPopupLosesTheOtherBoardKindsInserts)
{
    DialogFixture e;
    CommandStates states;
    const std::vector<lm::MenuItem>& edit = e.dialog.menuBar()[kEditMenu].items;
    const auto insertAbove = static_cast<std::size_t>(
        std::find_if(edit.begin(), edit.end(), [](const lm::MenuItem& m) { return m.text == "Insert &Above"; }) -
        edit.begin());
    const std::size_t path[] = {kEditMenu, insertAbove};
    EXPECT_TRUE(e.dialog.popupOpening(path, states));
    EXPECT_EQ(lm::findMenuItem(e.dialog.menuBar(), ID_INSERT_ABOVE_RIGID), nullptr);
    EXPECT_FALSE(e.dialog.popupOpening(path, states));
}

TEST(EditorDialog, CustomizeWorksOnTheLastCustomViewDescriptor)
{
    DialogFixture e;
    lm::CTabDescrArray& tabs = e.instance.tabs();
    tabs[1].setId(lm::kTabCustomView); // a second descriptor with the Custom View id, earlier
    e.instance.setActiveTab(4);
    bool accept = true; // OK, then Cancel
    e.view.customize = [&](lm::CustomizeColumns& model) { return model.setChecked(0, false), accept; };
    const std::size_t columnsBefore = tabs[4].columns().size();
    e.dialog.router().route(ID_CUSTOMIZE);
    accept = false;
    e.dialog.router().route(IDC_CUSTOMIZE);
    // The active tab goes on the grid again.
    EXPECT_EQ(std::pair(tabs[4].columns().size(), e.view.grid.shownColumns.size()),
              std::pair(columnsBefore - 1, columnsBefore - 1));

    tabs[1].setId(lm::kTabDielectric);
    tabs[4].setId(lm::kTabBasic);
    EXPECT_FALSE(e.state(ID_CUSTOMIZE).enabled);
    EXPECT_THROW(e.dialog.router().route(ID_CUSTOMIZE), LMInvalidArgument);
}

TEST(EditorDialog, KeepInSyncFollowsTheCheckBox)
{
    DialogFixture e;
    e.view.checkBoxChecked = true;
    e.dialog.router().route(IDC_KEEP_IN_SYNC);
    EXPECT_TRUE(e.instance.settings().keepInSync);
    EXPECT_EQ(e.log, (lm::test::EventLog{"update panes"}));
    // Unchecked, the grid writes every row again: its cells take their styles from the records anew.
    lm::CellGrid& cells = e.dialog.grid().cells();
    const int32_t nameColumn = e.dialog.grid().colOf(lm::kColLayerName);
    lm::CellStyle style = cells.style(1, nameColumn);
    const bool readOnly = style.readOnly;
    style.readOnly = !readOnly;
    cells.setStyle(1, nameColumn, style);
    e.view.checkBoxChecked = false;
    e.dialog.router().route(IDC_KEEP_IN_SYNC);
    EXPECT_FALSE(e.instance.settings().keepInSync);
    EXPECT_EQ(cells.style(1, nameColumn).readOnly, readOnly);
}

TEST(EditorDialog, TabsByItemAndById)
{
    DialogFixture e;
    lm::CTabDescrArray& tabs = e.instance.tabs();
    tabs[0].setVisible(false);
    tabs[3].setId(lm::kTabMetal); // Metal twice: the later one answers
    e.dialog.tabSelected(0);      // item 0 is descriptor 1 now
    EXPECT_EQ(e.instance.activeTab(), 1);
    EXPECT_EQ(e.view.grid.shownTab, lm::kTabDielectric);

    e.view.panes.calls.clear();
    EXPECT_FALSE(e.dialog.selectTabById(lm::kTabDielectric)); // already active
    // Undo's way back to a tab shows that tab's columns too, not only its bar.
    EXPECT_TRUE(e.dialog.selectTabById(lm::kTabMetal));
    EXPECT_EQ(e.instance.activeTab(), 3);
    EXPECT_EQ(e.view.grid.shownTab, lm::kTabMetal);
    EXPECT_EQ(e.view.panes.calls, (std::vector<std::string>{"picture tab 2", "bar 1020", "update picture"}));
    EXPECT_FALSE(e.dialog.selectTabById(lm::kTabBasic)); // only on an invisible descriptor
    EXPECT_FALSE(e.dialog.selectTabById(99));
    EXPECT_EQ(e.log, (lm::test::EventLog{"select item 2"}));

    // A board picked from the list: the rows typed on the board shown are stored first.
    lm::LayerGrid& grid = e.dialog.grid();
    const lm::CellPos name{1, grid.colOf(lm::kColLayerName)};
    grid.beginEdit(name);
    grid.textTyped(name, "Typed", 5);
    ASSERT_TRUE(grid.finishEdit(name));
    e.dialog.boardPicked(1);
    EXPECT_EQ(lm::layerName(e.instance.boards()[0].layers[0]), "Typed");
    EXPECT_EQ(e.instance.currentBoardId(), 8);
    EXPECT_EQ(e.dialog.grid().cells().rowCount(), 2);
    EXPECT_EQ(e.log.back(), "update panes");
}
