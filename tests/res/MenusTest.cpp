#include "res/CommandIds.h"
#include "res/Menus.h"
#include "ui/CommandRouting.h"
#include "ui/MenuModel.h"

#include <gtest/gtest.h>

#include "MenuTexts.h"

#include <string>
#include <utility>
#include <vector>

using namespace lm::res;

namespace {


} // namespace

TEST(MenusTemplate, TextsAndIdsAsTheUserSeesThem)
{
    const auto& bar = mainMenuTemplate();
    EXPECT_EQ(menuTexts(bar), (std::vector<std::string>{"&File", "&Edit", "&View", "&Help"}));
    EXPECT_EQ(menuTexts(bar[kFileMenu].items),
              (std::vector<std::string>{"&Print...", "Print P&icture...", "-", "&Apply && Close\tCtrl+F4",
                                        "Discard && &Close\tAlt+F4", "-", "&Load\tCtrl+O", "&Save\tCtrl+S",
                                        "Sa&ve as"}));
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
}

TEST(AcceleratorTable, CompleteAndDeleteStaysInEditFields)
{
    std::vector<std::pair<std::string, uint32_t>> table;
    for (const Accelerator& a : acceleratorTable())
        table.emplace_back(keyChordText(a.chord), a.command);
    EXPECT_EQ(table, (std::vector<std::pair<std::string, uint32_t>>{
                         {"Ctrl+C", 57634}, {"Ctrl+Ins", 57634}, {"Ctrl+X", 57635}, {"Shift+Del", 57635},
                         {"Ctrl+V", 57637}, {"Shift+Ins", 57637}, {"Ctrl+Z", 57643}, {"Alt+Backspace", 57643},
                         {"Ctrl+Y", 57644}, {"Del", 32807}, {"Ctrl+O", 57601}, {"Ctrl+S", 57603},
                         {"Ctrl+F4", 32771}, {"Alt+F4", 57602}}));
    EXPECT_EQ(acceleratorCommand({Key::F4, kCtrl | kAlt}), 0u);
    EXPECT_EQ(lm::commandForKey({Key::Delete, kNoModifier}, true), ID_EDIT_DELETE);
    EXPECT_EQ(lm::commandForKey({Key::Delete, kShift}, false), 0u);
    EXPECT_EQ(lm::commandForKey({Key::Insert, kShift}, false), ID_EDIT_PASTE);
}

TEST(ToolbarTemplate, ButtonsLeftToRight)
{
    const auto buttons = toolBarTemplate();
    EXPECT_EQ(std::vector<uint32_t>(buttons.begin(), buttons.end()),
              (std::vector<uint32_t>{32830, 32828, 0, 32775, 32776, 0, 57643, 57644, 0, 57635, 57634, 32838, 57637,
                                     32790, 32793, 32806, 0, 32812, 0, 32813, 32814, 32823, 32824, 32815, 0,
                                     32826}));
}
