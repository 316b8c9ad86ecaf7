#include "ui/GridContextMenu.h"

#include "command/CommandRouting.h"
#include "document/EditSettings.h"
#include "grid/LayerGrid.h"
#include "ui/MenuModel.h"

namespace lm {

namespace {

// Last to first, submenus included: a context menu has no popups that update
// themselves when they open.
void updateItems(CommandRouter& router, const std::vector<res::MenuItem>& items, CommandStates& states)
{
    for (auto it = items.rbegin(); it != items.rend(); ++it) {
        if (it->isPopup()) {
            updateItems(router, it->items, states);
        } else if (it->isCommand()) {
            CommandUi ui(it->id, states[it->id]);
            router.update(ui);
        }
    }
}

} // namespace

std::vector<res::MenuItem> gridContextMenu(LayerGrid& grid, CellPos clicked, CommandStates& states)
{
    if (!clicked.valid() || clicked != grid.cells().current() || !grid.isLayerRow(clicked.row))
        return {};
    std::vector<res::MenuItem> items = res::gridPopupMenu().items;
    removeUnofferedInsertItems(items);
    removeInsertItemsForBoardKind(items, grid.settings().caps);
    CommandRouter gridOnly;
    gridOnly.setGrid(&grid);
    updateItems(gridOnly, items, states);
    return items;
}

} // namespace lm
