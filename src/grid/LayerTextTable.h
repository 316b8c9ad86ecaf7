#pragma once
// What each cell of the layer grid shows while the grid is a read-only view:
// the header texts, the row numbers and, per layer and column, the text and the
// look of the cell as a reload writes it. Computed values (Z0, solved widths)
// are not part of it; they come with the refresh of computed values.
#include <laminar/laminar.h>

#include "api/EditSettings.h"

#include <span>
#include <string>

namespace lm {

// How a cell looks; each look stands for one of the grid's cell styles.
enum class CellLook {
    Plain,         // entered text or number on white
    NotApplicable, // silver and empty
    Locked,        // read-only text on light blue ("<Auto>", read-only columns, kept in sync)
    Result,        // read-only value on light blue (a catalogue metal's properties)
    Check,         // the visible check box
    Colour,        // a well in the layer's colour
    Button,        // "View..."
};

struct LayerCell {
    std::string text;
    CellLook look = CellLook::Plain;
    bool alignLeft = false;  // names and locked texts; everything else is centred
    bool checked = false;    // Check
    uint32_t background = 0; // 0x00BBGGRR; white unless the look gives another
};

// The 20 column ids in the order of the grid's columns, after the row header.
std::span<const int32_t> gridColumnIds();
// Grid column (0-based, row header excluded) of a column id, scanning from the
// last column to the first; -1 when no column shows it.
int32_t gridColumnOf(int32_t columnId);

// The title, and for a column with a unit a newline and the current unit text.
std::string columnHeaderText(int32_t columnId, const LMEDITSETTINGS& settings);
// Row r (1 for the top layer) as the row header shows it.
std::string rowHeaderText(std::size_t row);

// The cell of `layer` in that column, with the settings' units, modes and capability bits.
LayerCell layerCell(const LMLAYEREX& layer, int32_t columnId, const LMEDITSETTINGS& settings, char decimalPoint);

} // namespace lm
