// The rules check the picture's status line runs after every edit.
#include "LargeBoard.h"

#include "model/BuiltInRulesCheck.h"

#include <benchmark/benchmark.h>

namespace lm::bench {
namespace {

void BM_RulesCheck64(benchmark::State& state)
{
    const std::vector<LMLAYEREX> layers = largeBoardLayers();
    CDefDRC drc;
    const char* message = nullptr;
    int32_t severity = DRC_NONE;
    for (auto _ : state) {
        severity = drc.CheckStackup(layers.data(), kLargeBoardLayers, &message);
        benchmark::DoNotOptimize(message);
    }
    // A board with a finding would stop the check early and time less than the whole walk.
    if (severity != DRC_NONE)
        state.SkipWithError(message);
}
BENCHMARK(BM_RulesCheck64)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace lm::bench
