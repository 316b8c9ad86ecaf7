#pragma once
// Whether two lists of boards are the same to the bit: ids, names, every layer
// record and drill pair. For the file tests and the reader's fuzz target.
#include "StackupFile.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace lmhost::test {

inline bool sameBoards(const std::vector<BoardStackup>& a, const std::vector<BoardStackup>& b)
{
    const auto sameBytes = [](const auto& x, const auto& y) {
        return x.size() == y.size() && (x.empty() || std::memcmp(x.data(), y.data(), x.size() * sizeof x[0]) == 0);
    };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [&](const BoardStackup& x, const BoardStackup& y) {
        return x.id == y.id && x.name == y.name && sameBytes(x.layers, y.layers) && sameBytes(x.drillPairs, y.drillPairs);
    });
}

} // namespace lmhost::test
