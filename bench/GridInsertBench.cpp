// A layer inserted into the grid of a large board and the insert undone: the
// two structural steps a user repeats, each storing and rewriting rows.
#include "HeadlessPlatform.h"
#include "LargeBoard.h"

#include "api/EditorInstance.h"
#include "grid/LayerGrid.h"
#include "model/LayerRecord.h"

#include <benchmark/benchmark.h>

namespace lm::bench {
namespace {


void BM_GridInsertAndUndo64(benchmark::State& state)
{
    const std::vector<LMLAYEREX> layers = largeBoardLayers();
    std::vector<LMDRILLPAIR> pairs = largeBoardDrillPairs();
    EditorInstance instance;
    instance.addStackup(1, "Large", layers.data(), kLargeBoardLayers);
    instance.addDrillPairs(1, pairs.data(), static_cast<int32_t>(pairs.size()));
    instance.showBoard(0);
    test::HeadlessPlatform platform;
    LayerGrid grid(instance.settings(), platform);
    grid.setup(7, 16);
    grid.reload();
    // A signal in the middle of the board: the new layer gets a dielectric beside it too.
    const int32_t row = kLargeBoardLayers / 2 + 1;
    grid.cells().setCurrent({row, grid.colOf(kColLayerName)});
    for (auto _ : state) {
        grid.insertLayer(kSignal, true);
        grid.undo();
    }
    if (grid.layerCount() != kLargeBoardLayers)
        state.SkipWithError("the undo did not restore the board");
}
BENCHMARK(BM_GridInsertAndUndo64)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace lm::bench
