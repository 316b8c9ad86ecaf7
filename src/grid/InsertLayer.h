#pragma once
// The layer records behind the grid's structural commands: the record an
// Insert command creates, and placing, removing and moving records together
// with the drill-span sets the board keeps beside them.
#include <laminar/laminar.h>

#include "document/Board.h"

#include <cstddef>
#include <cstdint>

namespace lm {

// Signal and plane layers are named and coloured when inserted; others are not.
bool insertedLayerIsNamed(int32_t usage);

// The record an Insert command makes for index `index` of the board: the default
// layer of `usage`; when `named`, the first free automatic name and a colour no
// layer of the board has; then the host's default-layer object (when set) may
// change it, seeing the board's layers as they are before the record is placed.
LMLAYEREX newLayerRecord(const MBSTACKUPENTRY& board, int32_t usage, bool named, std::size_t index,
                         ILMDefaultLayer* host);

// Puts `layer` at `index` (0..size); when the board's layers carry drill-span
// sets, it lies inside exactly the drill pairs that span both its neighbours.
void placeLayer(MBSTACKUPENTRY& board, std::size_t index, const LMLAYEREX& layer);
void removeLayer(MBSTACKUPENTRY& board, std::size_t index);
// Layers [first, first+count) move before what is index `target` now (0..size);
// span sets move with their layers.
void moveLayers(MBSTACKUPENTRY& board, std::size_t first, std::size_t count, std::size_t target);

} // namespace lm
