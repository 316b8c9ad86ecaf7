#include "api/OutputFiles.h"

#include "api/EditorInstance.h"
#include "document/Boards.h"
#include "print/PrintCommands.h"
#include "ui/TabControl.h"

#include <string>

namespace lm {
namespace {

OutputFilesProvider provider = nullptr;

} // namespace

void setOutputFilesProvider(OutputFilesProvider newProvider) { provider = newProvider; }

bool writeOutput(EditorInstance& instance, const char* path, const LMOUTPUTREQUEST& request)
{
    EditorDocument& doc = instance.document();
    if (path == nullptr || doc.boards.empty() || request.nKind < LM_OUTPUT_REPORT ||
        request.nKind > LM_OUTPUT_DOCUMENTATION || instance.window() != nullptr)
        return false;
    OutputFiles* files = provider ? provider() : nullptr;
    if (files == nullptr)
        return false;
    doc.showBoard(boardShownOnOpening(doc.boards, doc.settings.currentBoardId));

    OutputRequest out;
    out.kind = static_cast<OutputRequest::Kind>(request.nKind);
    out.options.asTable = request.bTable != 0;
    out.options.schematic = request.bSchematic != 0;
    for (std::size_t k = 0; k < out.options.columns.size(); ++k)
        out.options.columns[k] = (request.nColumns >> k & 1u) != 0;
    out.rangeText = request.szRange ? request.szRange : "";
    // Without a window yet, the active tab is the one a window would open on.
    const int32_t tab = request.nTab >= 0 ? request.nTab : initialTabSelection(doc.tabs, doc.activeTab).descriptor;
    if (tab >= 0 && tab < doc.tabCount())
        out.pictureLabels = doc.tabs[static_cast<std::size_t>(tab)].id();
    out.letter = request.bLetter != 0;
    return writeOutputFile(*files, path, doc.settings, doc.designInfo, std::move(out));
}

} // namespace lm
