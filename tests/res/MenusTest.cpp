#include "res/CommandIds.h"
#include "res/Menus.h"
#include "command/CommandRouting.h"
#include "ui/MenuModel.h"

#include <gtest/gtest.h>

using namespace lm::res;

TEST(MenusTemplate, CrossedInsertIdsAndKeyChords)
{
    // Rigid and Flexible below run 32851, 32850: easily crossed in the template.
    EXPECT_EQ(lm::findMenuItem(mainMenuTemplate(), ID_INSERT_BELOW_RIGID)->text, "&Rigid");
    EXPECT_EQ(lm::findMenuItem(mainMenuTemplate(), ID_INSERT_BELOW_FLEXIBLE)->text, "F&lexible");

    // Second bindings, a chord with one modifier too many, Delete left to edit
    // fields, and the clipboard keys to text fields outside the grid.
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
}
