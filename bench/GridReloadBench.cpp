// The layer grid on a 64-layer board: a full reload (every style, value and
// row number, the layer-kind and read-only passes), and one cell edit from the
// editor opening to the idle pass that stores the rows.
#include "LargeGrid.h"

#include "model/LayerRecord.h"

#include <benchmark/benchmark.h>

namespace lm::bench {
namespace {

void BM_GridReload64(benchmark::State& state)
{
    LargeGrid large;
    for (auto _ : state) {
        large.grid.reload();
        benchmark::DoNotOptimize(large.grid.cells().rowCount());
    }
}
BENCHMARK(BM_GridReload64)->Unit(benchmark::kMicrosecond);

void BM_GridCellEdit64(benchmark::State& state)
{
    LargeGrid large;
    // A dielectric in the middle of the board.
    constexpr int32_t kRow = kLargeBoardLayers / 2;
    const CellPos thickness{kRow, large.grid.colOf(kColThickness)};
    bool thin = false;
    for (auto _ : state) {
        thin = !thin;
        const std::string_view typed = thin ? "150" : "160";
        large.grid.beginEdit(thickness);
        large.grid.textTyped(thickness, typed, static_cast<int32_t>(typed.size()));
        if (!large.grid.finishEdit(thickness))
            state.SkipWithError("the edit was refused");
        large.grid.idleRefresh();
        // Each edit is an undo step holding the whole board; drop it so the rounds stay alike.
        large.grid.history().clear();
    }
    benchmark::DoNotOptimize(large.instance.settings().currentBoard->layers[kRow - 1].dThickness);
}
BENCHMARK(BM_GridCellEdit64)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace lm::bench
