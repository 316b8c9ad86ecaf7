#pragma once
// The layer grid over the 64-layer board, with the headless platform, shaped
// as the window shapes it; shared by the grid's benchmarks.
#include "HeadlessPlatform.h"
#include "LargeBoard.h"

#include "api/EditorInstance.h"
#include "grid/LayerGrid.h"

namespace lm::bench {

struct LargeGrid {
    test::HeadlessPlatform platform;
    EditorInstance instance;
    LayerGrid grid{instance.settings(), platform};

    explicit LargeGrid(IZ0Calculator* calculator = nullptr)
    {
        const std::vector<LMLAYEREX> layers = largeBoardLayers();
        std::vector<LMDRILLPAIR> pairs = largeBoardDrillPairs();
        instance.addStackup(1, "Large", layers.data(), kLargeBoardLayers);
        instance.addDrillPairs(1, pairs.data(), static_cast<int32_t>(pairs.size()));
        instance.setZ0Calculator(calculator);
        instance.showBoard(0);
        grid.setHooks({.updatePicture = [] {}});
        grid.setup(7, 16);
        grid.reload();
    }
};

} // namespace lm::bench
