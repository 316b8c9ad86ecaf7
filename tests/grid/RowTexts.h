#pragma once
// One row's cell texts in the order of the column ids given, so that a row
// is compared in one expectation.
#include "LayerGridFixture.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace lm::test {

using Texts = std::vector<std::string>;

inline Texts rowTexts(const GridFixture& f, int32_t row, std::initializer_list<int32_t> columnIds)
{
    Texts out;
    for (const int32_t columnId : columnIds)
        out.push_back(f.text(row, columnId));
    return out;
}

} // namespace lm::test
