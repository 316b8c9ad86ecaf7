#pragma once
// The window title's unsaved-changes mark: "Laminar - 8-layer.json*" while the
// instance's boards differ from the file they were last read from or written
// to. The component says nothing to its host about edits, so while the window
// runs a timer compares the boards, in the file's own form, with that text.
#include "BoardFile.h"

#include <laminar/laminar.h>

#include <QTimer>

#include <filesystem>
#include <string>
#include <vector>

namespace lmhost {

class UnsavedMark {
public:
    // The instance's boards as they are now (added from `read`, not yet
    // edited) are the file's state. `read` must outlive the mark.
    UnsavedMark(LMHANDLE instance, const StackupDocument& read);

    // The boards were just written to `file`: they are the file's state now.
    void saved(const std::filesystem::path& file);
    // Compares and, when the answer changed, sets the title.
    void refresh();
    // Starts the comparisons; a no-op until the editor's Qt application runs
    // and once they have started.
    void watch();

    bool unsaved() const { return unsaved_; }

private:
    std::string textOf(const std::vector<BoardStackup>& boards) const;

    LMHANDLE instance_;
    const StackupDocument& read_;
    std::filesystem::path file_;
    std::vector<BoardStackup> lastSeen_; // the boards at the last comparison
    std::string fileText_;
    bool unsaved_ = false;
    QTimer timer_;
};

} // namespace lmhost
