#pragma once
// The editor dialog's own handlers that need no window: the archive commands
// of the File menu and help. The dialog registers them in its command map.
#include <laminar/laminar.h>

#include <cstdint>

namespace lm {

class CommandMap;
struct EditorDocument;
class Platform;

// Load, Save, Save as: asks IsSupported again and, when it answers true, calls
// Perform with the command's operation code. True when Perform was called.
bool performArchiveCommand(ILMArchiveCallback* callback, uint32_t commandId);

// 57601, 57603, 32840 with the document's archive callback at the time of the
// command; 9 and 32826 with its help information.
void addArchiveAndHelpCommands(CommandMap& dialog, const EditorDocument& document, Platform& platform);

} // namespace lm
