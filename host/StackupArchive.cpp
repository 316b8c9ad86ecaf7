#include "StackupArchive.h"

#include "EditorSetup.h"
#include "InstanceBoards.h"

#include <iostream>
#include <utility>

namespace lmhost {

StackupArchive::StackupArchive(LMHANDLE instance, StackupDocument document, ArchiveUi& ui, std::ostream& out)
    : instance_(instance), document_(std::move(document)), ui_(ui), out_(out)
{
}

bool StackupArchive::IsSupported(int32_t operation)
{
    if (mark_) mark_->watch();
    return operation == LM_ARCHIVE_SAVE || operation == LM_ARCHIVE_SAVE_AS || operation == LM_ARCHIVE_LOAD;
}

int32_t StackupArchive::Perform(int32_t operation)
{
    switch (operation) {
    case LM_ARCHIVE_SAVE: return save() ? 1 : 0;
    case LM_ARCHIVE_SAVE_AS: return saveAs() ? 1 : 0;
    case LM_ARCHIVE_LOAD: return load() ? 1 : 0;
    default: return 0;
    }
}

bool StackupArchive::writeTo(const std::filesystem::path& file)
{
    try {
        writeBoardsOfInstance(instance_, file, document_);
    } catch (const StackupFileError& error) {
        ui_.showError(error.what());
        return false;
    }
    out_ << "laminar: wrote " << file.string() << '\n' << std::flush;
    if (mark_) mark_->saved(file);
    return true;
}

bool StackupArchive::save() { return writeTo(document_.file); }

bool StackupArchive::saveAs()
{
    std::filesystem::path chosen = ui_.askSavePath(document_.file);
    if (chosen.empty()) return false;
    // The Load dialog lists *.json files: a name typed without extension gets it.
    if (!chosen.has_extension()) chosen += ".json";
    if (!writeTo(chosen)) return false;
    document_.file = chosen;
    showFileName(instance_, chosen);
    return true;
}

bool StackupArchive::load()
{
    const std::filesystem::path chosen = ui_.askLoadPath(document_.file);
    if (chosen.empty()) return false;
    StackupDocument next;
    try {
        next = readBoardFile(chosen, std::cerr);
    } catch (const StackupFileError& error) {
        ui_.showError(error.what());
        return false;
    }
    if (next.boards.empty()) {
        ui_.showError(chosen.string() + ": the file holds no boards to edit");
        return false;
    }
    // Discard & Close asks the user before edits are lost; a No keeps the
    // window, and then nothing is loaded.
    loaded_ = std::move(next);
    lmExitInstance(instance_, false);
    if (ui_.editorStillOpen()) {
        loaded_.reset();
        return false;
    }
    return true;
}

std::optional<StackupDocument> StackupArchive::takeLoadedDocument() { return std::exchange(loaded_, std::nullopt); }

} // namespace lmhost
