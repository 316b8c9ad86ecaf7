#pragma once
// The four printing and copying commands of the editor window, and the same
// outputs written to files for a host without a printer or a display.
#include "document/EditorDocument.h"
#include "picture/StackupPicture.h"
#include "platform/Platform.h"
#include "print/PrintOptions.h"

#include <span>
#include <string>
#include <vector>

namespace lm {

// One CalcStackupZ0 of the current board: a value per layer, all 0.0 without
// a calculator or when it reports failure.
std::vector<double> stackupZ0(const LMEDITSETTINGS& settings);

// File > Print: the dialog with its options page (Selection offered when
// layers are selected), then the report. Cancel or no printer: nothing.
void printReportCommand(Platform& platform, const LMEDITSETTINGS& settings, const DesignInfo& design,
                        std::span<const int32_t> selectedLayers);
// File > Print Picture, of the picture as laid out in its pane.
void printPictureCommand(Platform& platform, StackupPicture& picture, const LMEDITSETTINGS& settings,
                         const DesignInfo& design);
// Edit > Copy Special > Picture and > Manufacturing Documentation. A clipboard
// that cannot be opened ends them without a message.
void copyPictureCommand(Platform& platform, StackupPicture& picture, const LMEDITSETTINGS& settings,
                        const DesignInfo& design);
void copyDocumentationCommand(Platform& platform, const LMEDITSETTINGS& settings, const DesignInfo& design);

// What the example host asks for, as one of the three outputs.
struct OutputRequest {
    enum Kind : int32_t { Report = 0, Picture = 1, Documentation = 2 };
    Kind kind = Report;
    PrintOptions options;       // report: style, schematic, columns (layers from rangeText)
    std::string rangeText;      // report: the layers as the Range field takes them
    int32_t pictureLabels = -1; // picture: the tab id whose labels the picture shows
    Size pictureClient{560, 420};
    bool letter = false;        // PDF pages: Letter instead of A4
};

// The report (PDF, numbered pages), the picture (PNG as copied, PDF as
// printed) or the documentation (SVG or PDF) of the current board; false when
// the file could not be written.
bool writeOutputFile(OutputFiles& files, const std::string& path, LMEDITSETTINGS& settings,
                     const DesignInfo& design, OutputRequest request);

} // namespace lm
