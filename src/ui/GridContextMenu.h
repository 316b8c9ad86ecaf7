#pragma once
// The layer grid's right-button menu ("Grid Popup" of menu 1005), assembled
// like the menu bar's popups: the insert items the board kind does not offer
// leave it, and the grid alone decides its items' states.
#include "command/CommandUi.h"
#include "res/Menus.h"
#include "sheet/CellGrid.h"

#include <vector>

namespace lm {

class LayerGrid;

// For a click on the current cell of a layer row, the menu with its items'
// states in `states`; empty when no menu opens.
std::vector<res::MenuItem> gridContextMenu(LayerGrid& grid, CellPos clicked, CommandStates& states);

} // namespace lm
