#include "command/CommandRouting.h"
#include "res/CommandIds.h"
#include "res/Menus.h"

#include <gtest/gtest.h>


using lm::CommandMap;
using lm::CommandUi;
using lm::CommandUiState;

namespace {

// Grid, dialog and application; handlers added with handle() log "<target> <id>".
struct RoutedEditor {
    std::vector<std::string> log;
    CommandMap grid, dialog, app;
    lm::CommandRouter router;

    RoutedEditor()
    {
        router.setGrid(&grid);
        router.setDialog(&dialog);
        router.setApplication(&app);
    }
    void handle(CommandMap& target, const std::string& name, uint32_t id)
    {
        target.add(id, [this, name, id] { log.push_back(name + " " + std::to_string(id)); });
    }
    CommandUiState updated(uint32_t id)
    {
        CommandUiState state;
        CommandUi ui(id, state);
        router.update(ui);
        return state;
    }
};

} // namespace

TEST(CommandRouting, GridThenDialogThenApplication)
{
    RoutedEditor e;
    e.handle(e.grid, "grid", 57634);
    e.handle(e.dialog, "dialog", 57634);
    e.handle(e.dialog, "dialog", 32771);
    e.handle(e.app, "app", 32771);
    e.handle(e.app, "app", 32860);
    CommandMap pane;
    e.handle(pane, "pane", 1005);
    EXPECT_TRUE(e.router.route(57634));
    EXPECT_TRUE(e.router.route(32771, lm::kCodeAccelerator));
    EXPECT_TRUE(e.router.route(32860));
    EXPECT_TRUE(e.router.route(57634, 0x300)); // other notification codes skip the grid
    EXPECT_FALSE(e.router.route(1));
    EXPECT_TRUE(e.router.routeFromPane(1005, 0, pane));
    EXPECT_EQ(e.log, (std::vector<std::string>{"grid 57634", "dialog 32771", "app 32860", "dialog 57634", "pane 1005"}));
}

TEST(CommandRouting, UpdateFallsBackAndDisablesWithoutHandler)
{
    RoutedEditor e;
    e.grid.addUpdate(57637, [](CommandUi& ui) { ui.enable(false); });
    e.dialog.addUpdate(57637, [](CommandUi&) { FAIL() << "the grid decides"; });
    e.dialog.addUpdate(32775, [](CommandUi& ui) { ui.enable(false); });
    e.dialog.addUpdate(32813, [](CommandUi& ui) { ui.setCheck(true); }); // leaves enabling open
    e.handle(e.grid, "grid", 32813);
    e.handle(e.dialog, "dialog", 32776);
    e.handle(e.app, "app", 32860);

    EXPECT_EQ((std::vector<bool>{e.updated(57637).enabled, e.updated(32775).enabled, e.updated(32776).enabled,
                                 e.updated(32860).enabled}), (std::vector<bool>{false, false, true, true}));
    EXPECT_EQ(e.updated(32813), (CommandUiState{true, true, false}));
    EXPECT_EQ(e.updated(32830), (CommandUiState{false, false, true})); // nobody handles it

    // An accelerator of a disabled item does nothing.
    e.handle(e.grid, "grid", 57637);
    EXPECT_FALSE(e.router.routeAccelerator(57637));
    EXPECT_TRUE(e.router.routeAccelerator(32776));
    EXPECT_EQ(e.log, (std::vector<std::string>{"dialog 32776"}));
}

TEST(CommandRouting, KeysGoToTheirCommandsByFocusAndCommandsHaveToolTips)
{
    // Second bindings, a chord with one modifier too many, Delete left to edit
    // fields, and the clipboard keys to text fields outside the grid.
    using namespace lm::res;
    EXPECT_EQ(acceleratorCommand({Key::Insert, kCtrl}), 57634u);
    EXPECT_EQ(acceleratorCommand({Key::F4, kCtrl | kAlt}), 0u);
    using lm::KeyFocus;
    EXPECT_EQ(lm::commandForKey({Key::Delete, kNoModifier}, KeyFocus::Grid), ID_EDIT_DELETE);
    EXPECT_EQ(lm::commandForKey({Key::Delete, kShift}, KeyFocus::CellEditor), 0u);
    EXPECT_EQ(lm::commandForKey({Key::Insert, kShift}, KeyFocus::Other), ID_EDIT_PASTE);
    EXPECT_EQ(lm::commandForKey({Key::V, kCtrl}, KeyFocus::CellEditor), ID_EDIT_PASTE);
    EXPECT_EQ(lm::commandForKey({Key::C, kCtrl}, KeyFocus::TextField), 0u);
    EXPECT_EQ(lm::commandForKey({Key::Z, kCtrl}, KeyFocus::TextField), ID_EDIT_UNDO);
    EXPECT_EQ(std::pair(lm::toolTipText(32838).empty(), lm::toolTipText(1)), std::pair(false, std::string_view()));
}
