#include "ui/CommandHandlers.h"

#include "HeadlessPlatform.h"
#include "api/EditorInstance.h"
#include "res/CommandIds.h"
#include "ui/AboutBox.h"
#include "command/CommandTarget.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

TEST(CommandHandlers, AboutVersionLine)
{
    EXPECT_EQ(lm::aboutVersionLine(0x0001000200030004), "Version 1.2 build 3");
    EXPECT_EQ(lm::aboutVersionLine(0xFFFF00000000FFFF), "Version 65535.0 build 0");
    EXPECT_EQ(lm::fileVersionFromText("3.70000.x.9.9"), 0x0003FFFF00000009u);
    EXPECT_EQ(lm::fileVersionFromText(""), 0u);
    EXPECT_EQ(lm::aboutVersionLine(), "Version 0.1 build 0");
}
