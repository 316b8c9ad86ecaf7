#include "grid/GridUndo.h"

namespace lm {
namespace {

// Puts the lock back as it was, also when applying the history throws.
class ScreenLock {
public:
    explicit ScreenLock(GridScreenUpdates& screen) : screen_(screen), wasLocked_(screen.lockScreenUpdates(true)) {}
    ~ScreenLock()
    {
        screen_.lockScreenUpdates(wasLocked_);
        if (!wasLocked_)
            screen_.repaintNow();
    }
    ScreenLock(const ScreenLock&) = delete;
    ScreenLock& operator=(const ScreenLock&) = delete;

private:
    GridScreenUpdates& screen_;
    bool wasLocked_;
};

bool applyOnGrid(bool (UndoStack::*step)(), UndoStack& history, GridScreenUpdates& screen, GridEditFlags& flags)
{
    ScreenLock lock(screen);
    const bool result = (history.*step)();
    screen.redrawAllCells();
    flags.markAllChanged();
    return result;
}

} // namespace

bool undoOnGrid(UndoStack& history, GridScreenUpdates& screen, GridEditFlags& flags)
{
    return applyOnGrid(&UndoStack::undo, history, screen, flags);
}

bool redoOnGrid(UndoStack& history, GridScreenUpdates& screen, GridEditFlags& flags)
{
    return applyOnGrid(&UndoStack::redo, history, screen, flags);
}

} // namespace lm
