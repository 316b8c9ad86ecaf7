#include "command/CommandRouting.h"
#include "res/CommandIds.h"
#include "res/Menus.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

    EXPECT_FALSE(e.updated(57637).enabled);
    EXPECT_FALSE(e.updated(32775).enabled);
    EXPECT_TRUE(e.updated(32776).enabled);
    EXPECT_TRUE(e.updated(32860).enabled);
    EXPECT_EQ(e.updated(32813), (CommandUiState{true, true, false}));
    EXPECT_EQ(e.updated(32830), (CommandUiState{false, false, true})); // nobody handles it

    // An accelerator of a disabled item does nothing.
    e.handle(e.grid, "grid", 57637);
    EXPECT_FALSE(e.router.routeAccelerator(57637));
    EXPECT_TRUE(e.router.routeAccelerator(32776));
    EXPECT_EQ(e.log, (std::vector<std::string>{"dialog 32776"}));

    // The state is written only when it changes.
    CommandUiState state{false, false, true};
    CommandUi ui(32775, state);
    ui.enable(false);
    ui.setCheck(false);
    EXPECT_FALSE(ui.changed());
    ui.enable();
    EXPECT_TRUE(ui.changed());
    EXPECT_EQ(state, (CommandUiState{true, false, false}));
}

TEST(CommandRouting, PopupAndToolBarUpdateLastToFirst)
{
    RoutedEditor e;
    std::vector<uint32_t> order;
    e.router.setGridIdleRefresh([&] { order.push_back(0); });
    for (uint32_t id : {32826u, 32830u, 32790u, 57634u, 32837u, 32838u, 57637u})
        e.grid.addUpdate(id, [&](CommandUi& ui) { order.push_back(ui.id()); });
    lm::CommandStates states;

    // Copy Special is a submenu: its items update when it opens itself.
    e.router.updateMenuPopup(lm::res::mainMenuTemplate()[lm::res::kEditMenu].items, states);
    EXPECT_EQ(order, (std::vector<uint32_t>{57637, 57634}));
    EXPECT_FALSE(states.at(32812).enabled);
    EXPECT_EQ(states.count(32837), 0u);

    // The board list and separators are no buttons; the grid's idle refresh comes last.
    order.clear();
    e.router.updateToolBar(states);
    EXPECT_EQ(order, (std::vector<uint32_t>{32826, 57637, 32838, 57634, 32830, 0}));
}

TEST(CommandRouting, KeysAndToolTips)
{
    // Second bindings, a chord with one modifier too many, Delete left to edit
    // fields, and the clipboard keys to text fields outside the grid.
    using namespace lm::res;
    EXPECT_EQ(acceleratorCommand({Key::Insert, kCtrl}), 57634u);
    EXPECT_EQ(keyChordText(acceleratorTable()[7].chord), "Alt+Backspace");
    EXPECT_EQ(acceleratorCommand({Key::F4, kCtrl | kAlt}), 0u);
    using lm::KeyFocus;
    EXPECT_EQ(lm::commandForKey({Key::Delete, kNoModifier}, KeyFocus::Grid), ID_EDIT_DELETE);
    EXPECT_EQ(lm::commandForKey({Key::Delete, kShift}, KeyFocus::CellEditor), 0u);
    EXPECT_EQ(lm::commandForKey({Key::Insert, kShift}, KeyFocus::Other), ID_EDIT_PASTE);
    EXPECT_EQ(lm::commandForKey({Key::V, kCtrl}, KeyFocus::CellEditor), ID_EDIT_PASTE);
    EXPECT_EQ(lm::commandForKey({Key::C, kCtrl}, KeyFocus::TextField), 0u);
    EXPECT_EQ(lm::commandForKey({Key::Z, kCtrl}, KeyFocus::TextField), ID_EDIT_UNDO);

    // Tool tips stop at a line break and at eighty characters.
    EXPECT_FALSE(lm::toolTipText(32838).empty());
    EXPECT_EQ(lm::toolTipText(1), "");
    const std::string eighty(80, 'x');
    EXPECT_EQ(lm::toolTipOfPrompt(eighty + "y\nshort"), eighty);
    EXPECT_EQ(lm::toolTipOfPrompt(std::string(79, 'x') + "\u00B0C"), std::string(79, 'x')); // no half a character
    EXPECT_EQ(lm::toolTipOfPrompt("short\n" + eighty + eighty), "short");
}
