#pragma once
// Whether two lists of boards are the same to the bit: ids, names, every layer
// record and drill pair. For the file tests and the reader's fuzz target.
#include "StackupFile.h"

#include <cstring>
#include <vector>

namespace lmhost::test {

template <typename T>
bool sameBytes(const std::vector<T>& a, const std::vector<T>& b)
{
    return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(T)) == 0);
}

inline bool sameBoards(const std::vector<BoardStackup>& a, const std::vector<BoardStackup>& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].id != b[i].id || a[i].name != b[i].name || !sameBytes(a[i].layers, b[i].layers) ||
            !sameBytes(a[i].drillPairs, b[i].drillPairs))
            return false;
    return true;
}

} // namespace lmhost::test
