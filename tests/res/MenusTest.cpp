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

    // Second bindings, a chord with one modifier too many, and Delete left to edit fields.
    EXPECT_EQ(acceleratorCommand({Key::Insert, kCtrl}), 57634u);
    EXPECT_EQ(keyChordText(acceleratorTable()[7].chord), "Alt+Backspace");
    EXPECT_EQ(acceleratorCommand({Key::F4, kCtrl | kAlt}), 0u);
    EXPECT_EQ(lm::commandForKey({Key::Delete, kNoModifier}, true), ID_EDIT_DELETE);
    EXPECT_EQ(lm::commandForKey({Key::Delete, kShift}, false), 0u);
    EXPECT_EQ(lm::commandForKey({Key::Insert, kShift}, false), ID_EDIT_PASTE);
}
