#include "ui/MenuModel.h"

#include "res/CommandIds.h"
#include "ui/CommandHandlers.h"

#include <gtest/gtest.h>

#include "MenuTexts.h"

#include <set>
#include <string>
#include <vector>

using lm::MenuItem;
using namespace lm::res;

namespace {

struct FakeArchive : ILMArchiveCallback {
    std::set<int32_t> supported;
    std::vector<std::string> calls;
    int32_t Perform(int32_t op) override
    {
        calls.push_back("Perform " + std::to_string(op));
        return 0;
    }
    bool IsSupported(int32_t op) override
    {
        calls.push_back("IsSupported " + std::to_string(op));
        return supported.count(op) != 0;
    }
};

std::vector<std::string> fileMenuEndingWith(std::vector<std::string> tail)
{
    tail.insert(tail.begin(), {"&Print...", "Print P&icture...", "-", "&Apply && Close\tCtrl+F4",
                               "Discard && &Close\tAlt+F4"});
    return tail;
}

} // namespace

TEST(MenuModel, InsertMenusFollowTheBoardKind)
{
    std::vector<MenuItem> bar = mainMenuTemplate();
    EXPECT_TRUE(lm::removeUnofferedInsertItems(bar));
    std::vector<MenuItem> rigidFlex = bar[kEditMenu].items;
    EXPECT_TRUE(lm::removeInsertItemsForBoardKind(rigidFlex, 0x13C | 0x800));
    EXPECT_FALSE(lm::removeInsertItemsForBoardKind(rigidFlex, 0x800)); // later openings find them gone
    const std::vector<std::string> rigidFlexItems = {"&Most Suitable", "-", "&Signal", "Solid &Plane", "Platin&g",
                                                     "-", "&Rigid", "F&lexible", "Sol&der Mask", "&Adhesive",
                                                     "&Cover Layer", "S&tiffener"};
    EXPECT_EQ(menuTexts(rigidFlex[10].items), rigidFlexItems);

    std::vector<MenuItem>& rigid = bar[kEditMenu].items;
    EXPECT_TRUE(lm::removeInsertItemsForBoardKind(rigid, 0x13C));
    const std::vector<std::string> rigidItems = {"&Most Suitable", "-", "&Signal", "Solid &Plane", "Platin&g",
                                                 "-", "S&ubstrate", "Sol&der Mask"};
    EXPECT_EQ(menuTexts(rigid[9].items), rigidItems);
    EXPECT_EQ(rigid[10].items[6].id, ID_INSERT_BELOW_SUBSTRATE);
}

TEST(MenuFile, OffersAndPerformsWhatTheArchiveCallbackSupports)
{
    std::vector<MenuItem> file = mainMenuTemplate()[kFileMenu].items;
    EXPECT_TRUE(lm::rebuildFileMenu(file, nullptr));
    EXPECT_EQ(menuTexts(file), fileMenuEndingWith({}));

    FakeArchive archive;
    archive.supported = {2};
    lm::rebuildFileMenu(file, &archive);
    EXPECT_EQ(menuTexts(file), fileMenuEndingWith({"-", "&Load\tCtrl+O"}));
    EXPECT_EQ(archive.calls, (std::vector<std::string>{"IsSupported 0", "IsSupported 1", "IsSupported 2"}));

    // Save and Save as come after Load, the first behind a separator; a second pass changes nothing.
    archive.supported = {0, 1, 2};
    EXPECT_TRUE(lm::rebuildFileMenu(file, &archive));
    EXPECT_FALSE(lm::rebuildFileMenu(file, &archive));
    EXPECT_EQ(menuTexts(file), fileMenuEndingWith({"-", "&Load\tCtrl+O", "-", "&Save\tCtrl+S", "Sa&ve as"}));
    // Losing them all leaves no separator at the end, not even two.
    archive.supported = {};
    lm::rebuildFileMenu(file, &archive);
    EXPECT_EQ(menuTexts(file), fileMenuEndingWith({}));

    std::vector<MenuItem> fresh = mainMenuTemplate()[kFileMenu].items;
    archive.supported = {0};
    lm::rebuildFileMenu(fresh, &archive);
    EXPECT_EQ(menuTexts(fresh), fileMenuEndingWith({"-", "&Save\tCtrl+S"}));

    // The commands ask IsSupported before Perform.
    EXPECT_FALSE(lm::performArchiveCommand(nullptr, ID_FILE_SAVE));
    archive.calls.clear();
    archive.supported = {1, 2};
    EXPECT_FALSE(lm::performArchiveCommand(&archive, ID_FILE_SAVE));
    EXPECT_TRUE(lm::performArchiveCommand(&archive, ID_FILE_SAVE_AS));
    EXPECT_TRUE(lm::performArchiveCommand(&archive, ID_FILE_LOAD));
    EXPECT_FALSE(lm::performArchiveCommand(&archive, ID_APPLY_AND_CLOSE));
    EXPECT_EQ(archive.calls, (std::vector<std::string>{"IsSupported 0", "IsSupported 1", "Perform 1",
                                                       "IsSupported 2", "Perform 2"}));
}
