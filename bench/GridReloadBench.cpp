// A full reload of the layer grid: the headers and every cell of every row.
#include "LargeBoard.h"

#include "api/EditSettings.h"
#include "grid/LayerTextTable.h"
#include "model/Units.h"

#include <benchmark/benchmark.h>

namespace lm::bench {
namespace {

void BM_GridReload64(benchmark::State& state)
{
    const std::vector<LMLAYEREX> layers = largeBoardLayers();
    const LMEDITSETTINGS settings;
    for (auto _ : state) {
        const char decimalPoint = userDecimalPoint();
        for (const int32_t columnId : gridColumnIds())
            benchmark::DoNotOptimize(columnHeaderText(columnId, settings));
        for (std::size_t row = 0; row < layers.size(); ++row) {
            benchmark::DoNotOptimize(rowHeaderText(row + 1));
            for (const int32_t columnId : gridColumnIds())
                benchmark::DoNotOptimize(layerCell(layers[row], columnId, settings, decimalPoint));
        }
    }
}
BENCHMARK(BM_GridReload64)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace lm::bench
