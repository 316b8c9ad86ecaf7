#pragma once
// Cell texts compared in one expectation: one row's in the order of the column
// ids given, or one column's from the first layer row down.
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

inline Texts columnTexts(const GridFixture& f, int32_t columnId)
{
    Texts out;
    for (int32_t row = 1; row < f.grid->cells().rowCount(); ++row)
        out.push_back(f.text(row, columnId));
    return out;
}

} // namespace lm::test
