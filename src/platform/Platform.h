#pragma once
// What the core asks of the desktop. The Qt front end implements it for real;
// tests use a headless implementation with scripted answers.
#include "platform/Clipboard.h"
#include "platform/Printing.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

namespace lm {

enum class MessageIcon { None, Exclamation, Question, Information };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No, Cancel };

class Platform {
public:
    virtual ~Platform() = default;
    // A message box over the editor window.
    virtual MessageAnswer messageBox(std::string_view text, MessageButtons buttons, MessageIcon icon) = 0;
    // The system beep of a refused keystroke.
    virtual void beep() = 0;
    // The help viewer shows the topic of the context id in the help file, for
    // the editor window.
    virtual void showHelp(std::string_view helpFile, uint32_t contextId) = 0;
    // The colour dialog with `initial` preselected (solid colours only); the
    // chosen colour (0x00BBGGRR), nothing when the user cancelled.
    virtual std::optional<uint32_t> chooseColour(uint32_t initial) = 0;

    // The clipboard. Each answers false or nothing when the clipboard cannot
    // be opened; writing replaces whatever was on it.
    virtual bool writeClipboard(const ClipboardData& data) = 0;
    virtual std::optional<ClipboardFormats> clipboardFormats() = 0;
    virtual std::optional<ClipboardData> readClipboard() = 0;

    // The system print dialog (no page numbers, no standard "Selection"), with
    // the layer report's options page when `options` is given (read back on
    // OK); on OK the document of that name is started. Null when cancelled or
    // when there is no printer. The document ends when the sink goes.
    virtual std::unique_ptr<PageSink> startPrint(std::string_view documentName, ReportDialogOptions* options) = 0;
    // The drawing on the clipboard: a bitmap, or SVG and PDF each under its
    // type. False when the clipboard cannot be opened.
    virtual bool copyDrawing(Drawing& drawing, DrawingFormat format) = 0;

    // The wait cursor over the application while the core works through a
    // long job (the calls of the host's impedance calculator); calls nest.
    // A desktop without cursors shows nothing.
    virtual void beginWaitCursor() {}
    virtual void endWaitCursor() {}
};

// Shows the wait cursor for its lifetime.
class WaitCursor {
public:
    explicit WaitCursor(Platform& platform) : platform_(platform) { platform_.beginWaitCursor(); }
    ~WaitCursor() { platform_.endWaitCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    Platform& platform_;
};

} // namespace lm
