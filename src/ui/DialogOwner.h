#pragma once
// What the editor dialog asks of the instance that owns its run: the document
// it shows and edits, the two ways of ending the run (the instance checks
// the boards, asks the user and tells the host) and the per-user settings store.
#include <memory>

namespace lm {

class Platform;
class ProfileStore;
struct EditorDocument;

class DialogOwner {
public:
    virtual EditorDocument& document() = 0;
    // True when the window was told to finish.
    virtual bool applyAndClose(Platform& platform) = 0;
    virtual bool discardAndClose(Platform& platform) = 0;
    // The window is going: the instance keeps its column widths and placement.
    virtual void windowDestroyed() = 0;
    // The per-user settings store, where the loss dialog keeps its options.
    virtual std::unique_ptr<ProfileStore> openUserProfile() = 0;

protected:
    ~DialogOwner() = default;
};

} // namespace lm
