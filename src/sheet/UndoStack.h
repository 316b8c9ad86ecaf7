#pragma once
// The grid's undo and redo lists. Commands are filed in groups; one undo or redo
// applies a whole group, last command first. A command applied by undo, redo or
// the discarding of an open group records its own counterpart, which lands on
// the opposite list, so undo and redo can alternate the same states forever.
//
// One history serves the grid whichever board it shows; it is emptied when the
// grid switches to another board (followBoard). Snapshots carry no board
// identity and tab switches are grid-wide, so a history kept per board could
// restore one board's layers into another or mix up tab steps of different
// boards; emptying it is the simple rule that cannot do either.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace lm {

enum class CommandType { Do, Discard, Undo, Redo };

class UndoStack;

class UndoableCommand {
public:
    virtual ~UndoableCommand() = default;
    // Puts its state back and records its counterpart on `history` with the same
    // type; reports whether it succeeded.
    virtual bool ApplyCommand(UndoStack& history, CommandType type) = 0;
};

class UndoStack {
public:
    using Group = std::vector<std::unique_ptr<UndoableCommand>>;

    UndoStack() = default;
    UndoStack(const UndoStack&) = delete;
    UndoStack& operator=(const UndoStack&) = delete;

    // Groups nest; only the outermost close files the group on the undo list.
    void openGroup();
    void closeGroup();
    // Applies what was recorded since the innermost open with type discard, last
    // first, and drops it. Without an open group it does nothing.
    void discardGroup();
    bool groupOpen() const { return !groupStarts_.empty(); }
    // An undo, redo or discard is being applied (commands it runs must not record anew).
    bool applying() const { return counterparts_ != nullptr; }

    // Do: into the open group, or a group of its own, and the redo list empties.
    // Undo or Discard: onto the redo list; Redo: onto the undo list. During an
    // application the counterparts of one group are filed together as one group.
    void record(std::unique_ptr<UndoableCommand> command, CommandType type);

    // Apply the last group of the list; false when there is none, while a group
    // is open or during another application, or when a command failed.
    bool undo();
    bool redo();

    bool canUndo() const { return !undoList_.empty(); }
    bool canRedo() const { return !redoList_.empty(); }
    std::size_t undoDepth() const { return undoList_.size(); }
    std::size_t redoDepth() const { return redoList_.size(); }

    void clear();
    // Empties the history when the grid shows a board other than the one it was
    // made on; reloading the same board keeps it.
    void followBoard(int32_t boardId);

private:
    // Applies `group` last command first; counterparts recorded meanwhile are
    // filed as one group on `counterpartList`.
    bool applyGroup(Group group, CommandType type, std::vector<Group>& counterpartList);

    std::vector<Group> undoList_;
    std::vector<Group> redoList_;
    Group openGroup_;
    std::vector<std::size_t> groupStarts_; // index into openGroup_ per nested open
    Group* counterparts_ = nullptr;                  // set while a group is being applied
    std::vector<Group>* counterpartList_ = nullptr; // where those counterparts go
    int32_t boardId_ = -1;
    bool boardKnown_ = false;
};

// Keeps an undo group open for one edit and discards it unless the edit commits,
// so an edit that fails part-way (or throws) leaves nothing recorded.
class UndoGroupGuard {
public:
    explicit UndoGroupGuard(UndoStack& history) : history_(history) { history_.openGroup(); }
    ~UndoGroupGuard()
    {
        if (closed_)
            return;
        try {
            history_.discardGroup();
        } catch (...) {
            // Already unwinding from the failed edit: a second failure must not end the host.
        }
    }
    UndoGroupGuard(const UndoGroupGuard&) = delete;
    UndoGroupGuard& operator=(const UndoGroupGuard&) = delete;

    void commit()
    {
        if (!closed_)
            history_.closeGroup();
        closed_ = true;
    }

private:
    UndoStack& history_;
    bool closed_ = false;
};

} // namespace lm
