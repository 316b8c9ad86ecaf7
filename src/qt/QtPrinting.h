#pragma once
// Printing and drawing outputs on Qt: the print dialog with the report's
// options page, the pages of a printer or a PDF file, a drawing rendered to a
// bitmap, SVG or PDF, and the example host's output files.
#include "platform/Printing.h"

#include <QByteArray>
#include <QFont>
#include <QImage>
#include <QPainter>

#include <memory>
#include <string_view>

class QPagedPaintDevice;
class QSaveFile;
class QWidget;

namespace lm::qt {

class QtCanvas;

// The pages of a printer or PDF writer, painted through one painter; the
// document ends with finish() or when the sink goes.
class QtPageSink : public PageSink {
public:
    // With a file, finish() replaces the file's content only when every page was written.
    explicit QtPageSink(std::unique_ptr<QPagedPaintDevice> device, std::unique_ptr<QSaveFile> file = nullptr);
    ~QtPageSink() override;
    bool isActive() const { return painter_.isActive(); }

    Canvas& canvas() override;
    Size pageSize() override;
    void newPage() override;
    Canvas& screenCanvas(int32_t percent) override;
    // False when the device could not be written.
    bool finish();

private:
    std::unique_ptr<QSaveFile> file_; // before the device, which writes into it
    std::unique_ptr<QPagedPaintDevice> device_;
    QPainter painter_;
    std::unique_ptr<QtCanvas> canvas_;
    std::unique_ptr<QtCanvas> screen_;
};

// The report's font on paper: the desktop's family at 10 points.
QFont paperFont();
// The desktop's font with its size fixed in pixels, as the picture measures it on screen.
QFont screenPixelFont();

// The print dialog without page ranges and selection; with `options` its
// options page from template IDD_PRINT_OPTIONS. Null when cancelled.
std::unique_ptr<PageSink> runPrintDialog(QWidget* parent, std::string_view documentName, ReportDialogOptions* options);

// A drawing measured and drawn: in the screen's pixels, or as SVG or a
// one-page PDF at 96 units per inch.
QImage drawingToImage(Drawing& drawing);
QByteArray drawingToSvg(Drawing& drawing);
QByteArray drawingToPdf(Drawing& drawing);

class QtOutputFiles : public OutputFiles {
public:
    std::unique_ptr<PageSink> openPdf(const std::string& path, const std::string& title, bool letter) override;
    bool writeDrawing(const std::string& path, Drawing& drawing, DrawingFormat format) override;
    bool finishPdf(std::unique_ptr<PageSink> sink) override;
};

} // namespace lm::qt
