#pragma once
// Undo of structural edits (insert, delete, cut, paste): a copy of every layer
// of the current board, with its own drill-span sets, taken before the edit.
// It holds no board identity and restores into whichever board is current.
#include <laminar/laminar.h>

#include "document/EditSettings.h"
#include "grid/GridUndo.h"
#include "sheet/UndoStack.h"
#include "model/DrillSpanSet.h"

#include <functional>
#include <vector>

namespace lm {

class CStoreLayers : public UndoableCommand {
public:
    // Copies the current board's layers; without a current board the copy is empty.
    explicit CStoreLayers(LMEDITSETTINGS& settings);

    // Records a copy of the present layers with the same type, then puts this
    // copy back. The caller of undo or redo refreshes the grid.
    bool ApplyCommand(UndoStack& history, CommandType type) override;

    // Puts the copy back without recording anything.
    void restore() const;

    const std::vector<LMLAYEREX>& layers() const { return layers_; }
    const std::vector<DrillSpanSet>& drillSpans() const { return drillSpans_; }

private:
    LMEDITSETTINGS* settings_; // not owned
    std::vector<LMLAYEREX> layers_;
    std::vector<DrillSpanSet> drillSpans_; // parallel to layers_
};

// Runs `edit` as one undo step: the layers before it are recorded as a
// CStoreLayers in an undo group of their own and the grid's flags are set. An
// edit that reports failure or throws has its layers put back and its group
// discarded, leaving no undo step behind. Returns what the edit reported.
bool recordStructuralEdit(UndoStack& history, LMEDITSETTINGS& settings, GridEditFlags& flags,
                          const std::function<bool()>& edit);

} // namespace lm
