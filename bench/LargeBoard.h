#pragma once
// A 64-layer board as a large host design hands it in: 32 metals (signal and
// plane layers, one split plane in four) separated by 31 core and prepreg
// dielectrics, a solder mask at the bottom, every layer named and coloured,
// and drill pairs of every kind (through, adjacent-layer and buried spans).
#include <laminar/laminar.h>

#include <vector>

namespace lm::bench {

constexpr int32_t kLargeBoardLayers = 64;

std::vector<LMLAYEREX> largeBoardLayers();
// Stated top to bottom, so the editor never turns them round in place.
std::vector<LMDRILLPAIR> largeBoardDrillPairs();

} // namespace lm::bench
