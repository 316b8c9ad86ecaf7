#pragma once
// The desktop as tests see it: message boxes answered from a script, every box
// and beep recorded, an in-memory clipboard. Header-only, shared by the core's tests.
#include "platform/Platform.h"
#include "RecordingPages.h"

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace lm::test {

// Calls of the fakes in the order they happened, when a test wants to see the
// order across several of them ("refreshPicture", "message: <text>", ...).
using EventLog = std::vector<std::string>;

struct ShownMessage {
    std::string text;
    MessageButtons buttons;
    MessageIcon icon;
    bool operator==(const ShownMessage&) const = default;
    friend void PrintTo(const ShownMessage& message, std::ostream* out) { *out << '"' << message.text << '"'; }
};

class HeadlessPlatform : public Platform {
public:
    explicit HeadlessPlatform(EventLog* log = nullptr) : log_(log) {}

    // Answers given to the next message boxes, first in first out. With the
    // script used up, an OK box answers Ok and a Yes/No box answers No.
    std::deque<MessageAnswer> answers;
    std::vector<ShownMessage> messages;
    std::function<void()> whileMessageOpen; // what the desktop does while a box is up (a focus change)
    int beeps = 0;
    struct HelpRequest {
        std::string helpFile;
        uint32_t contextId;
    };
    std::vector<HelpRequest> helpShown;

    MessageAnswer messageBox(std::string_view text, MessageButtons buttons, MessageIcon icon) override
    {
        messages.push_back({std::string(text), buttons, icon});
        note("message: " + std::string(text));
        if (whileMessageOpen)
            whileMessageOpen();
        return next(answers, buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::No);
    }

    // Answers of the colour dialog, first in first out; used up, it is cancelled.
    std::deque<std::optional<uint32_t>> colourAnswers;
    std::vector<uint32_t> coloursOffered;

    std::optional<uint32_t> chooseColour(uint32_t initial) override
    {
        coloursOffered.push_back(initial);
        return next(colourAnswers, std::optional<uint32_t>());
    }

    void beep() override { ++beeps, note("beep"); }

    void showHelp(std::string_view helpFile, uint32_t contextId) override
    {
        helpShown.push_back({std::string(helpFile), contextId});
        note("showHelp");
    }

    // The clipboard of the whole desktop; with `clipboardOpens` false every
    // access fails as when another program holds it open.
    ClipboardData clipboard;
    bool clipboardOpens = true;

    bool writeClipboard(const ClipboardData& data) override
    {
        if (clipboardOpens)
            clipboard = data;
        return clipboardOpens;
    }
    std::optional<ClipboardFormats> clipboardFormats() override
    {
        return clipboardOpens ? std::optional(ClipboardFormats{!clipboard.text.empty(), !clipboard.layerRows.empty()})
                              : std::nullopt;
    }
    std::optional<ClipboardData> readClipboard() override
    {
        return clipboardOpens ? std::optional(clipboard) : std::nullopt;
    }

    // The print dialog: OK (a recorded document) or Cancel, and what its
    // options page shows and answers; `pageAnswer` changes the page on OK.
    bool printDialogOk = true;
    std::vector<std::string> printedDocuments;
    std::optional<ReportDialogOptions> pageShown;
    std::function<void(ReportDialogOptions&)> pageAnswer;
    std::deque<RecordingPages> prints; // every document printed, kept after it ended

    std::unique_ptr<PageSink> startPrint(std::string_view documentName, ReportDialogOptions* options) override
    {
        if (options != nullptr)
            pageShown = *options;
        if (!printDialogOk)
            return nullptr;
        if (options != nullptr && pageAnswer)
            pageAnswer(*options);
        printedDocuments.emplace_back(documentName);
        return std::make_unique<ForwardedPages>(prints.emplace_back());
    }

    // Drawings put on the clipboard, measured and drawn on a recording canvas.
    struct CopiedDrawing {
        DrawingFormat format;
        Size size;
        RecordingCanvas canvas;
    };
    std::vector<CopiedDrawing> copiedDrawings;

    bool copyDrawing(Drawing& drawing, DrawingFormat format) override
    {
        if (!clipboardOpens)
            return false;
        CopiedDrawing& copy = copiedDrawings.emplace_back();
        copy.format = format;
        copy.size = drawing.measure(copy.canvas);
        copy.canvas.calls.clear();
        drawing.draw(copy.canvas);
        return true;
    }

    // The wait cursor: how often it came up, and whether it is up now.
    int waitCursorsShown = 0;
    int waitCursorDepth = 0;

    void beginWaitCursor() override
    {
        if (waitCursorDepth++ == 0)
            ++waitCursorsShown;
    }
    void endWaitCursor() override { --waitCursorDepth; }

private:
    // The front of a script, taken from it; `fallback` once the script is used up.
    template <typename Answer>
    static Answer next(std::deque<Answer>& script, Answer fallback)
    {
        if (script.empty())
            return fallback;
        fallback = script.front();
        script.pop_front();
        return fallback;
    }
    void note(const std::string& call)
    {
        if (log_)
            log_->push_back(call);
    }

    // The caller ends the document by dropping the sink; the pages stay here.
    class ForwardedPages : public PageSink {
    public:
        explicit ForwardedPages(RecordingPages& pages) : pages_(pages) {}
        Canvas& canvas() override { return pages_.canvas(); }
        Size pageSize() override { return pages_.pageSize(); }
        void newPage() override { pages_.newPage(); }
        Canvas& screenCanvas(int32_t percent) override { return pages_.screenCanvas(percent); }

    private:
        RecordingPages& pages_;
    };

    EventLog* log_;
};

} // namespace lm::test
