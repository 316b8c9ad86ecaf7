#include "res/CommandIds.h"
#include "res/Menus.h"
#include "ui/CommandRouting.h"
#include "ui/MenuModel.h"

#include <gtest/gtest.h>

#include "MenuTexts.h"

using namespace lm::res;

TEST(MenusTemplate, TextsIdsAndKeysAsTheUserSeesThem)
{
    const auto& bar = mainMenuTemplate();
    EXPECT_EQ(menuTexts(bar), (std::vector<std::string>{"&File", "&Edit", "&View", "&Help"}));
    const auto& edit = bar[kEditMenu].items;
    EXPECT_EQ(menuTexts(edit[5].items), (std::vector<std::string>{"&Manufacturing Documentation", "&Picture"}));
    EXPECT_EQ(edit[3].text, "C&ut\tCtrl-X");
    EXPECT_EQ(bar[kViewMenu].items[3].text, "&Keep Selection \"On\" During Edit");
    // Where the two Insert menus are easily crossed: Rigid and Flexible below run 32851, 32850.
    const auto& below = edit[10].items;
    ASSERT_EQ(below.size(), 15u);
    EXPECT_EQ(std::vector<uint32_t>({below[0].id, below[9].id, below[10].id, below[14].id}),
              (std::vector<uint32_t>{32806, 32851, 32850, 32854}));
    EXPECT_EQ(lm::findMenuItem(bar, ID_INSERT_ABOVE_FLEXIBLE)->text, "F&lexible");

    // Second bindings, a chord with one modifier too many, and Delete left to edit fields.
    EXPECT_EQ(acceleratorTable().size(), 14u);
    EXPECT_EQ(acceleratorCommand({Key::Insert, kCtrl}), 57634u);
    EXPECT_EQ(keyChordText(acceleratorTable()[7].chord), "Alt+Backspace");
    EXPECT_EQ(acceleratorCommand({Key::F4, kCtrl | kAlt}), 0u);
    EXPECT_EQ(lm::commandForKey({Key::Delete, kNoModifier}, true), ID_EDIT_DELETE);
    EXPECT_EQ(lm::commandForKey({Key::Delete, kShift}, false), 0u);
    EXPECT_EQ(lm::commandForKey({Key::Insert, kShift}, false), ID_EDIT_PASTE);
}
