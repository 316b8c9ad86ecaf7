// Deleting the selected layers (and Cut's delete half): refused with a
// message while a permanent layer is among them. One undo step.
#include "grid/LayerGrid.h"

#include "document/Board.h"
#include "grid/InsertLayer.h"
#include "grid/StoreLayersCmd.h"
#include "platform/Platform.h"

#include <cstdio>

namespace lm {

namespace {

constexpr const char* kPermanentLayerMessage = "Layer #%d is permanent and can't be deleted.";

} // namespace

bool LayerGrid::deleteSelectedRows()
{
    MBSTACKUPENTRY* board = settings().currentBoard;
    if (!board || !(settings().caps & kCapDeleteLayers) || !cells_.anySelected())
        return false;
    const std::vector<int32_t> rows = cells_.selectedRows();
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
        if (!isLayerRow(*it) || !board->layers[static_cast<std::size_t>(*it) - 1].bPermanent)
            continue;
        char text[96];
        std::snprintf(text, sizeof(text), kPermanentLayerMessage, *it);
        platform_.messageBox(text, MessageButtons::Ok, MessageIcon::Exclamation);
        return false;
    }
    CellBatch batch(cells_);
    storeAllRows();
    return recordStructuralEdit(history_, settings(), flags_, [&] {
        for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
            if (!isLayerRow(*it))
                continue;
            removeLayer(*board, static_cast<std::size_t>(*it) - 1);
            cells_.removeRows(*it, 1);
        }
        renumberRows();
        layerKindPass(false);
        return true;
    });
}

} // namespace lm
