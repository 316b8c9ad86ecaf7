#pragma once
// Pages and drawings the core lays out and the desktop renders: a printer's or
// a PDF file's pages, and a drawing measured first and then drawn once into a
// bitmap or a vector format (clipboard or file).
#include "platform/Canvas.h"
#include "platform/Geometry.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace lm {

// A document being printed. The canvas draws on the current page in device
// units, the origin at the top left of the printable area, in the device's
// default font.
class PageSink {
public:
    virtual ~PageSink() = default;
    virtual Canvas& canvas() = 0;
    // The printable area in device units.
    virtual Size pageSize() = 0;
    virtual void newPage() = 0;
    // A canvas on the current page in the screen's font and pixels, each pixel
    // drawn `percent`/100 device units wide (the picture printed to scale).
    virtual Canvas& screenCanvas(int32_t percent) = 0;
};

// Something drawn once its size is known: `measure` gets a canvas of the
// target's resolution and font and answers the size in its units, `draw` then
// draws on a canvas of that size.
class Drawing {
public:
    virtual ~Drawing() = default;
    virtual Size measure(Canvas& canvas) = 0;
    virtual void draw(Canvas& canvas) = 0;
};

enum class DrawingFormat : uint8_t {
    Bitmap, // the screen's pixels and font, white background
    Vector, // scalable: SVG and PDF
};

// The options page of the report's print dialog, filled before it opens and
// read back after OK.
struct ReportDialogOptions {
    enum Layers : int32_t { Whole = 0, Range = 1, Selection = 2 };
    std::vector<std::string> columnTitles;
    std::vector<bool> columnChecked;
    int32_t layers = Whole;
    bool selectionEnabled = false;
    std::string rangeText;
    int32_t printAs = 1; // 0 "List", 1 "Table"
    bool schematic = true;
};

// The example host's batch output: PDF pages and drawings written to files.
class OutputFiles {
public:
    virtual ~OutputFiles() = default;
    // Null when the file cannot be opened for writing.
    virtual std::unique_ptr<PageSink> openPdf(const std::string& path, const std::string& title, bool letter) = 0;
    // PNG for a bitmap; SVG or PDF (by the path's extension) for a vector drawing.
    virtual bool writeDrawing(const std::string& path, Drawing& drawing, DrawingFormat format) = 0;
    // The PDF's pages are complete once the sink is gone; false when writing failed.
    virtual bool finishPdf(std::unique_ptr<PageSink> sink) = 0;
};

} // namespace lm
