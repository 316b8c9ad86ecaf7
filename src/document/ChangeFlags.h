#pragma once
// What changed between the boards and a snapshot of them, as the host reads it:
// 0x1 electrical, 0x2 appearance, 0x4 Z0 planning.
#include "document/Boards.h"

#include <cstdint>

namespace lm {

// Both 0, or closer than 1e-6 of their summed magnitudes, counts as equal.
bool differsRelatively(double a, double b);

uint32_t layerChangeFlags(const LMLAYEREX& now, const LMLAYEREX& before);
// Boards are matched by position; a reference holding fewer boards is an invalid argument.
uint32_t boardChangeFlags(const BoardList& boards, const BoardList& reference);

} // namespace lm
