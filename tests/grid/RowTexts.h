#pragma once
// Cell texts compared in one expectation: one row's in the order of the column
// ids given, one column's from the first layer row down, or the names of the stackup and the grid.
#include "LayerGridFixture.h"

#include <gtest/gtest.h>

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

// The stackup and the grid's name column agree: the rows were written anew.
inline void expectNames(GridFixture& f, const Texts& names)
{
    EXPECT_EQ(f.names(), names);
    EXPECT_EQ(columnTexts(f, kColLayerName), names);
}

} // namespace lm::test
