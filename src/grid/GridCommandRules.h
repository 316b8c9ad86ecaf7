#pragma once
// When the layer grid's commands are enabled, as functions of the grid's state
// alone, so that menus, tool bar buttons and the right-button menu agree.
#include <laminar/laminar.h>

#include "platform/Clipboard.h"

#include <cstdint>
#include <optional>
#include <span>

namespace lm {

// An Insert command: the usage it inserts (kMostSuitable: by the neighbours) and where.
struct InsertCommand {
    static constexpr int32_t kMostSuitable = -1;
    int32_t usage = kMostSuitable;
    bool above = true;
};
// The Insert command behind a menu id; nothing for any other id.
std::optional<InsertCommand> insertCommandOf(uint32_t id);

// What the enable rules look at.
struct GridCommandState {
    uint32_t caps = 0;
    std::span<const LMLAYEREX> layers; // row r shows layers[r-1]
    int32_t currentRow = 0;            // 1..N; 0 without a current cell in a layer row
    bool currentInDataColumn = false;  // the current cell is not in the row-header column
    bool rowsSelected = false;
    bool editorOpen = false;           // an edit box is open on the current cell
    bool editorTextSelected = false;   // that edit box has selected text
    bool currentTakesText = false;     // the current cell is an enabled edit box (a colour cell never is)
    std::optional<ClipboardFormats> clipboard = std::nullopt; // nothing: the clipboard cannot be opened
};

class LayerGrid;
// The state as the grid shows it now.
GridCommandState commandStateOf(const LayerGrid& grid);

bool insertEnabled(const InsertCommand& command, const GridCommandState& state);
// Plating may go above (below) current row `row`: the row is a metal with no metal
// of another usage than Plating on that side, or the neighbour on that side is a
// metal and the rows from `row` to the other end hold none.
bool platingInsertAllowed(std::span<const LMLAYEREX> layers, int32_t row, bool above);

bool deleteEnabled(const GridCommandState& state);
// Rows are selected, or the edit box on the current cell has selected text.
bool copyEnabled(const GridCommandState& state);
// The delete half decides when rows are selected; otherwise as Copy.
bool cutEnabled(const GridCommandState& state);
// A current layer row and an open clipboard holding layer rows (which need
// the structure bit) or, without layer rows, text for a current cell that takes text.
bool pasteEnabled(const GridCommandState& state);
bool applyToSelectionEnabled(const GridCommandState& state);

} // namespace lm
