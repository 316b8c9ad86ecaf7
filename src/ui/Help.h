#pragma once
// Help (button 9, Help > Contents 32826): the host's help function when it
// gave one, else the help viewer of the desktop.
#include "document/EditorDocument.h"

namespace lm {

class Platform;

// The command a help function is always given: show the topic of the context id.
inline constexpr uint32_t kHelpShowContext = 1;

void showHelp(const HelpInfo& help, Platform& platform);

} // namespace lm
