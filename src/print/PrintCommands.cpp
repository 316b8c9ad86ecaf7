#include "print/PrintCommands.h"

#include "document/Board.h"
#include "model/FormatText.h"
#include "model/LayerRecord.h"
#include "print/Documentation.h"
#include "print/LayerReport.h"
#include "print/PictureOutput.h"
#include "res/Strings.h"


namespace lm {
namespace {

std::string documentName(const DesignInfo& design)
{
    return formatText(res::loadString(res::IDS_PRINT_DOCUMENT_NAME), design.designName.c_str());
}

bool endsWith(const std::string& text, std::string_view suffix)
{
    if (text.size() < suffix.size())
        return false;
    for (std::size_t k = 0; k < suffix.size(); ++k) {
        const char c = text[text.size() - suffix.size() + k];
        if ((c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) != suffix[k])
            return false;
    }
    return true;
}

} // namespace

std::vector<double> stackupZ0(const LMEDITSETTINGS& settings)
{
    const std::size_t count = currentLayers(settings).size();
    std::vector<double> values(count, 0.0);
    if (settings.z0Calculator == nullptr || count == 0)
        return values;
    if (!settings.z0Calculator->CalcStackupZ0(settings.currentBoardId, 0, values.data()))
        values.assign(count, 0.0);
    return values;
}

void printReportCommand(Platform& platform, const LMEDITSETTINGS& settings, const DesignInfo& design,
                        std::span<const int32_t> selectedLayers)
{
    PrintOptions options;
    ReportDialogOptions page = reportDialogOpening(options, !selectedLayers.empty());
    std::unique_ptr<PageSink> pages = platform.startPrint(documentName(design), &page);
    if (!pages)
        return;
    const std::size_t count = currentLayers(settings).size();
    takeReportDialog(options, page, count, selectedLayers);
    options.z0.assign(count, 0.0);
    if (options.printsColumn(kColZ0))
        options.z0 = stackupZ0(settings);
    printLayerReport(*pages, settings, options, design);
}

void printPictureCommand(Platform& platform, StackupPicture& picture, const LMEDITSETTINGS& settings,
                         const DesignInfo& design)
{
    if (std::unique_ptr<PageSink> pages = platform.startPrint(documentName(design), nullptr))
        printPicture(*pages, picture, settings, design);
}

void copyPictureCommand(Platform& platform, StackupPicture& picture, const LMEDITSETTINGS& settings,
                        const DesignInfo& design)
{
    CopiedPicture copy(picture, picture.clientSize(), settings, design);
    platform.copyDrawing(copy, DrawingFormat::Bitmap);
}

void copyDocumentationCommand(Platform& platform, const LMEDITSETTINGS& settings, const DesignInfo& design)
{
    Documentation documentation(settings, design, stackupZ0(settings));
    platform.copyDrawing(documentation, DrawingFormat::Vector);
}

bool writeOutputFile(OutputFiles& files, const std::string& path, LMEDITSETTINGS& settings,
                     const DesignInfo& design, OutputRequest request)
{
    switch (request.kind) {
    case OutputRequest::Report: {
        std::unique_ptr<PageSink> pages = files.openPdf(path, documentName(design), request.letter);
        if (!pages)
            return false;
        PrintOptions& options = request.options;
        options.layers = parseLayerRange(request.rangeText, currentLayers(settings).size());
        options.z0 = stackupZ0(settings);
        options.pageNumbers = true;
        printLayerReport(*pages, settings, options, design);
        return files.finishPdf(std::move(pages));
    }
    case OutputRequest::Picture: {
        StackupPicture picture(settings);
        picture.setLabelMode(request.pictureLabels);
        picture.setZ0Values(stackupZ0(settings));
        if (endsWith(path, ".png")) {
            CopiedPicture copy(picture, request.pictureClient, settings, design);
            return files.writeDrawing(path, copy, DrawingFormat::Bitmap);
        }
        std::unique_ptr<PageSink> pages = files.openPdf(path, documentName(design), request.letter);
        if (!pages)
            return false;
        picture.layout(request.pictureClient, pages->screenCanvas(100));
        printPicture(*pages, picture, settings, design);
        return files.finishPdf(std::move(pages));
    }
    case OutputRequest::Documentation: {
        Documentation documentation(settings, design, stackupZ0(settings));
        return files.writeDrawing(path, documentation, DrawingFormat::Vector);
    }
    }
    return false;
}

} // namespace lm
