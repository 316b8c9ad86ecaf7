#pragma once
// The example host's archive callback: Load, Save and Save as of the File menu
// on stackup files. The questions it asks go through ArchiveUi, so the logic
// runs without a window in tests.
#include "BoardFile.h"
#include "UnsavedMark.h"

#include <laminar/laminar.h>

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace lmhost {

class ArchiveUi {
public:
    virtual ~ArchiveUi() = default;
    // The file chosen, or an empty path when the user cancelled.
    virtual std::filesystem::path askSavePath(const std::filesystem::path& current) = 0;
    virtual std::filesystem::path askLoadPath(const std::filesystem::path& current) = 0;
    virtual void showError(const std::string& message) = 0;
    // Asked right after the host asked the editor to close: false once the window went.
    virtual bool editorStillOpen() = 0;
};

// The boards cannot be replaced under an open window, so Load ends the run
// (the editor asks before changes are lost) and leaves the file it read for the
// host, which reopens the editor on it. The object must outlive the instance's
// runs; the component keeps it by pointer.
class StackupArchive final : public ILMArchiveCallback {
public:
    StackupArchive(LMHANDLE instance, StackupDocument document, ArchiveUi& ui, std::ostream& out);

    int32_t Perform(int32_t operation) override; // 1 when the operation was carried out
    bool IsSupported(int32_t operation) override;

    // The instance's boards to the current file; on failure the error is shown
    // and the previous file stays. Prints "laminar: wrote FILE" on success.
    bool save();
    bool saveAs();
    bool load();
    // Told of every write; set before the run. The editor asks IsSupported
    // while its window opens, which is when the mark starts watching.
    void setUnsavedMark(UnsavedMark* mark) { mark_ = mark; }

    // Where Save and Apply & Close write: the file opened, or the last Save as.
    const std::filesystem::path& file() const { return document_.file; }
    // The document as read: its boards' ids, names and drill pairs go back with
    // the edits, and a KiCad board's file around its stackup.
    const StackupDocument& documentRead() const { return document_; }
    // The document Load read, once the run it ended is over; empty otherwise.
    std::optional<StackupDocument> takeLoadedDocument();

private:
    bool writeTo(const std::filesystem::path& file);

    LMHANDLE instance_;
    StackupDocument document_;
    ArchiveUi& ui_;
    std::ostream& out_;
    std::optional<StackupDocument> loaded_;
    UnsavedMark* mark_ = nullptr;
};

} // namespace lmhost
