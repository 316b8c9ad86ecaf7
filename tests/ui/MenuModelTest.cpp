#include "ui/MenuModel.h"

#include "HeadlessPlatform.h"
#include "MenuTexts.h"
#include "api/EditorInstance.h"
#include "command/CommandTarget.h"
#include "res/CommandIds.h"
#include "ui/CommandHandlers.h"

#include <gtest/gtest.h>

#include <set>

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

namespace {

std::vector<std::string> helpCalls;
int32_t LMCALLBACK recordingHelp(uint32_t userValue, const char* file, uint32_t command, uint32_t context)
{
    helpCalls.push_back(std::to_string(userValue) + " " + file + " " + std::to_string(command) + " " +
                        std::to_string(context));
    return 0;
}

} // namespace

TEST(CommandHandlers, HelpThroughHelpFunctionElseViewer)
{
    lm::EditorInstance instance;
    lm::test::HeadlessPlatform platform;
    lm::CommandMap dialog;
    lm::addArchiveAndHelpCommands(dialog, instance.document(), platform);
    EXPECT_TRUE(dialog.onCommand(lm::res::ID_FILE_SAVE_AS)); // no callback: handled, nothing happens

    instance.setHelpInfo("stackup.hlp", 4711, 99, nullptr);
    EXPECT_TRUE(dialog.onCommand(lm::res::IDHELP));
    ASSERT_EQ(platform.helpShown.size(), 1u);
    EXPECT_EQ(platform.helpShown[0].helpFile + " " + std::to_string(platform.helpShown[0].contextId),
              "stackup.hlp 4711");

    helpCalls.clear();
    instance.setHelpInfo("stackup.hlp", 4711, 99, recordingHelp);
    EXPECT_TRUE(dialog.onCommand(lm::res::ID_HELP_CONTENTS));
    EXPECT_EQ(helpCalls, (std::vector<std::string>{"99 stackup.hlp 1 4711"}));
    EXPECT_EQ(platform.helpShown.size(), 1u);
}
