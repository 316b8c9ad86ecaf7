// The whole refresh of computed values on the 64-layer board, with a
// calculator that answers at once, so the figure is the editor's own share:
// Auto Er on every metal, one CalcStackupZ0, a planning solve per conductor
// layer and every cell write, all columns shown (Z0 and the solved width).
#include "LargeGrid.h"
#include "ScriptedZ0Calculator.h"

#include "model/LayerRecord.h"

#include <benchmark/benchmark.h>

namespace lm::bench {
namespace {

void BM_Z0Refresh64(benchmark::State& state)
{
    test::ScriptedZ0Calculator calculator;
    calculator.recording = false;
    calculator.z0.assign(kLargeBoardLayers, 50.04);
    LargeGrid large(&calculator);
    for (auto _ : state) {
        large.grid.flags().valuesChanged = true;
        large.grid.idleRefresh();
    }
    benchmark::DoNotOptimize(large.grid.cells().text(1, large.grid.colOf(kColZ0)));
}
BENCHMARK(BM_Z0Refresh64)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace lm::bench
