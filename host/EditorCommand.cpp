#include "EditorCommand.h"

#include "EditorSetup.h"
#include "HelpViewer.h"
#include "InstanceBoards.h"
#include "QtArchiveUi.h"
#include "ScreenshotCommand.h"
#include "StackupArchive.h"

#include <laminar/laminar.h>
#include <laminar/z0calc.h>

#include <optional>
#include <ostream>
#include <stdexcept>
#include <utility>

namespace lmhost {
namespace {

// One instance per opening: a file loaded from the File menu gets a fresh
// editor, and the preferences carry the window's place and tabs over to it.
int editModally(StackupDocument document, bool withCalculator, std::ostream& out, std::ostream& err)
{
    const std::string userGuide = locateUserGuide();
    QtArchiveUi ui;
    for (;;) {
        std::optional<lmz0::ReferenceZ0Calculator> calculator; // outlives the instance
        Instance instance(lmInitInstance(nullptr, 0));
        if (!instance) throw std::runtime_error("the editor instance could not be created");
        StackupArchive archive(instance.get(), std::move(document), ui, out);
        const auto hostCheck = setUpInstance(instance.get(), archive.documentRead(), userGuide, &openHelpFile);
        UnsavedMark mark(instance.get(), archive.documentRead());
        archive.setUnsavedMark(&mark);
        lmSetArchiveCallback(instance.get(), &archive);
        if (withCalculator) lmSetZ0Calculator(instance.get(), &calculator.emplace(instance.get()));
        const bool preferencesRead = restoreUserPreferences(instance.get(), err);

        const bool applied = lmRunModal(instance.get());
        // A false result is also what a window that never opened gives.
        if (!editorWasOpened(instance.get())) {
            err << "laminar: the editor window could not be opened\n";
            return kEditorFailed;
        }
        if (preferencesRead)
            lmSaveToRegistry(instance.get(), false, nullptr, nullptr);

        if (std::optional<StackupDocument> loaded = archive.takeLoadedDocument()) {
            document = std::move(*loaded);
            continue;
        }
        if (!applied) {
            out << "laminar: discarded the changes\n";
            return kEditorDone;
        }
        try {
            writeBoardsOfInstance(instance.get(), archive.file(), archive.documentRead());
        } catch (const StackupFileError& error) {
            err << error.what() << '\n';
            return kEditorFailed;
        }
        out << "laminar: wrote " << archive.file().string() << '\n';
        return kEditorDone;
    }
}

} // namespace

int runEditor(const EditorOptions& options, std::ostream& out, std::ostream& err)
{
    if (options.screenshot) chooseOffscreenWithoutDisplay();
    StackupDocument document;
    try {
        document = readBoardFile(options.file, err);
    } catch (const StackupFileError& error) {
        err << error.what() << '\n';
        return kEditorBadInput;
    }
    if (document.boards.empty()) {
        err << options.file << ": the file holds no boards to edit\n";
        return kEditorBadInput;
    }
    try {
        if (options.screenshot) return takeScreenshot(options, document, out, err);
        return editModally(std::move(document), options.calculator, out, err);
    } catch (const std::exception& error) {
        err << "laminar: " << error.what() << '\n';
        return kEditorFailed;
    }
}

} // namespace lmhost
