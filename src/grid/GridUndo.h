#pragma once
// Undo and Redo as the Edit menu runs them on the layer grid: the grid's screen
// stays locked while the history is applied, every cell is redrawn once, and the
// grid's edit flags make the next idle pass store the rows into the layer
// records, update the picture and refresh the computed values.
#include "sheet/UndoStack.h"

namespace lm {

// The two flags the layer grid owns: set by edits, layer commands, undo and redo.
struct GridEditFlags {
    bool rowsModified = false;  // the layer records must be stored from the rows
    bool valuesChanged = false; // the computed values (Z0, solved widths) are stale

    void markAllChanged() { rowsModified = valuesChanged = true; }
};

// The screen side of the grid as undo and redo need it.
class GridScreenUpdates {
public:
    // Locks or unlocks screen updates and returns whether they were locked before.
    virtual bool lockScreenUpdates(bool lock) = 0;
    virtual void redrawAllCells() = 0;
    virtual void repaintNow() = 0;

protected:
    ~GridScreenUpdates() = default;
};

// Return the history's result for the menu handler.
bool undoOnGrid(UndoStack& history, GridScreenUpdates& screen, GridEditFlags& flags);
bool redoOnGrid(UndoStack& history, GridScreenUpdates& screen, GridEditFlags& flags);

} // namespace lm
