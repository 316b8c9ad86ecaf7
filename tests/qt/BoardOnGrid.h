#pragma once
// An editor instance showing one board of named default layers, with the
// headless platform and a layer grid over it; shared by the Qt ring's tests.
#include "HeadlessPlatform.h"
#include "api/EditorInstance.h"
#include "grid/LayerGrid.h"
#include "model/Catalogues.h"
#include "model/LayerRecord.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace lm::test {

struct BoardOnGrid {
    EditorInstance instance;
    HeadlessPlatform platform;
    LayerGrid grid{instance.settings(), platform};

    explicit BoardOnGrid(std::initializer_list<std::pair<int32_t, const char*>> layers)
    {
        std::vector<LMLAYEREX> records;
        for (const auto& [usage, name] : layers)
            setLayerName(records.emplace_back(defaultLayer(usage)), name);
        EXPECT_TRUE(instance.addStackup(1, "board", records.data(), static_cast<int32_t>(records.size())));
        instance.showBoard(0);
        grid.reload();
    }
    std::vector<std::string> names() const
    {
        std::vector<std::string> result;
        for (const LMLAYEREX& layer : instance.settings().currentBoard->layers)
            result.emplace_back(layerName(layer));
        return result;
    }
};

} // namespace lm::test
