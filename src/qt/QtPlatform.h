#pragma once
// The desktop on Qt: message boxes, the beep, the help viewer, the colour
// dialog, the clipboard and printing.
#include "platform/Platform.h"

#include <QPointer>
#include <QWidget>

namespace lm {

// The private format of copied layer rows: only this program reads it back.
inline constexpr char kLayerRowsMimeType[] = "application/x-laminar-grid-rows";
// The documentation drawing goes on the clipboard in both vector formats.
inline constexpr char kSvgMimeType[] = "image/svg+xml";
inline constexpr char kPdfMimeType[] = "application/pdf";

class QtPlatform : public Platform {
public:
    // The editor window that message boxes sit over (or over the dialog of
    // the editor's that is open, a graph); without one they sit over whatever
    // window is active.
    void setEditorWindow(QWidget* window) { editorWindow_ = window; }

    MessageAnswer messageBox(std::string_view text, MessageButtons buttons, MessageIcon icon) override;
    void beep() override;
    // A generic viewer cannot go to a context id: the help file opens at its start.
    void showHelp(std::string_view helpFile, uint32_t contextId) override;
    std::optional<uint32_t> chooseColour(uint32_t initial) override;
    // One QMimeData with plain text, HTML and the layer-rows block under kLayerRowsMimeType.
    bool writeClipboard(const ClipboardData& data) override;
    std::optional<ClipboardFormats> clipboardFormats() override;
    std::optional<ClipboardData> readClipboard() override;
    // The print dialog over the editor window.
    std::unique_ptr<PageSink> startPrint(std::string_view documentName, ReportDialogOptions* options) override;
    // A bitmap as image data; a vector drawing as SVG and PDF.
    bool copyDrawing(Drawing& drawing, DrawingFormat format) override;

    void beginWaitCursor() override;
    void endWaitCursor() override;

private:
    QWidget* messageParent() const;

    QPointer<QWidget> editorWindow_;
};

} // namespace lm
