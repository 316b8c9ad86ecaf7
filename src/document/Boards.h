#pragma once
// The boards of an instance: how a host's stackup enters, how boards are
// found by id, and how drill pairs attach to a board's layers.
#include "document/Board.h"

#include <span>
#include <string_view>
#include <vector>

namespace lm {

using BoardList = std::vector<MBSTACKUPENTRY>;

// Appends a board holding copies of the host's records. The host's span field
// is never taken over, and a metal handed in without a metal is identified.
void appendBoard(BoardList& boards, int32_t boardId, std::string_view name, std::span<const LMLAYEREX> layers);

// The most recently added board with that id, or null.
MBSTACKUPENTRY* findBoard(BoardList& boards, int32_t boardId);
// Index of the board the editor shows on opening: the most recently added one
// with that id, else the first. The list must not be empty.
std::size_t boardShownOnOpening(const BoardList& boards, int32_t currentBoardId);
// The board drill pairs go to: the first added with a non-negative id, else the
// last board; a negative id means the first board. The list must not be empty.
MBSTACKUPENTRY& drillPairTarget(BoardList& boards, int32_t boardId);

// Adds the pairs that name two distinct existing layers, stored top to bottom
// (turned round in the caller's array where given bottom to top), without
// duplicates; then rebuilds every layer's span set.
void addDrillPairs(MBSTACKUPENTRY& board, std::span<LMDRILLPAIR> pairs);
// Bit k of a layer's span set is on when the layer lies within drill pair k.
void rebuildDrillSpans(MBSTACKUPENTRY& board);

} // namespace lm
