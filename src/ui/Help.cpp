#include "ui/Help.h"

#include "platform/Platform.h"

namespace lm {

void showHelp(const HelpInfo& help, Platform& platform)
{
    if (help.helpProc)
        help.helpProc(help.userValue, help.helpFile.c_str(), kHelpShowContext, help.contextId);
    else
        platform.showHelp(help.helpFile, help.contextId);
}

} // namespace lm
