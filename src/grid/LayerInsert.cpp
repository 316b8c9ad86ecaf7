// Inserting layers: of a chosen usage or the most suitable one, above or
// below the current row; a metal beside a metal brings a dielectric along.
// One undo step each.
#include "grid/LayerGrid.h"

#include "document/Board.h"
#include "grid/InsertLayer.h"
#include "grid/LayerRules.h"
#include "grid/StoreLayersCmd.h"
#include "model/Catalogues.h"

namespace lm {

namespace {

int32_t usageAt(std::span<const LMLAYEREX> layers, int32_t index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= layers.size())
        return -1;
    return layers[static_cast<std::size_t>(index)].nUsage;
}

} // namespace

bool LayerGrid::insertLayer(int32_t usage, bool above)
{
    if (!(settings().caps & kCapChangeStructure))
        return false;
    const int32_t row = insertionRow();
    return row > 0 && insertAt(usage, above, row, {});
}

bool LayerGrid::insertMostSuitable(bool above)
{
    if (!(settings().caps & kCapChangeStructure))
        return false;
    const int32_t row = cells_.current().row;
    if (!isLayerRow(row))
        return false;
    storeAllRows();
    const std::span<const LMLAYEREX> layers = currentLayers(settings());
    const int32_t index = row - 1;
    const int32_t current = usageAt(layers, index);
    const int32_t beyond = usageAt(layers, above ? index - 1 : index + 1);
    const bool rigidFlex = (settings().caps & kCapRigidFlex) != 0;
    const int32_t usage = above ? mostSuitableUsage(current, beyond, rigidFlex)
                                : mostSuitableUsage(beyond, current, rigidFlex);
    // A solder mask on the outside being covered stops being the outer layer: it becomes a substrate.
    std::function<void()> maskToSubstrate;
    if (current == kSolderMask && beyond == -1) {
        maskToSubstrate = [this, row] {
            settings().currentBoard->layers[static_cast<std::size_t>(row) - 1].nUsage = kSubstrate;
            writeRow(row);
        };
    }
    return insertAt(usage, above, row, maskToSubstrate);
}

int32_t LayerGrid::insertionRow() const
{
    const int32_t row = cells_.current().row;
    if (cells_.current().valid() && isLayerRow(row))
        return row;
    return layerCount() == 0 ? 1 : 0;
}

bool LayerGrid::insertAt(int32_t usage, bool above, int32_t row, const std::function<void()>& firstChange)
{
    MBSTACKUPENTRY* board = settings().currentBoard;
    if (!board)
        return false;
    CellBatch batch(cells_);
    storeAllRows();
    const bool empty = board->layers.empty();
    const bool named = insertedLayerIsNamed(usage);
    const bool besideMetal =
        named && !empty && insertedLayerIsNamed(board->layers[static_cast<std::size_t>(row) - 1].nUsage);
    if (!above && !empty)
        ++row;
    ILMDefaultLayer* host = settings().defaultLayer;
    const bool done = recordStructuralEdit(history_, settings(), flags_, [&] {
        if (firstChange)
            firstChange();
        placeRow(row, newLayerRecord(*board, usage, named, static_cast<std::size_t>(row) - 1, host));
        if (besideMetal) {
            // Two metals never touch: a dielectric goes between the new layer and the current one.
            const int32_t between = above ? row + 1 : row;
            const int32_t dielectric = (settings().caps & kCapRigidFlex) ? kRigid : kSubstrate;
            placeRow(between, newLayerRecord(*board, dielectric, false, static_cast<std::size_t>(between) - 1, host));
        }
        renumberRows();
        layerKindPass(false);
        return true;
    });
    readOnlyPass();
    return done;
}

void LayerGrid::placeRow(int32_t row, const LMLAYEREX& layer)
{
    placeLayer(*settings().currentBoard, static_cast<std::size_t>(row) - 1, layer);
    cells_.insertRows(row, 1);
    writeRow(row);
}

void LayerGrid::renumberRows()
{
    for (int32_t row = 1; row < cells_.rowCount(); ++row)
        writeRowNumber(row);
}

} // namespace lm
