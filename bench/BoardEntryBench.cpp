// The host's side of a large board: handing it in with its drill pairs, and
// asking what changed since a snapshot.
#include "LargeBoard.h"

#include "document/Boards.h"
#include "document/ChangeFlags.h"
#include "api/EditorInstance.h"

#include <benchmark/benchmark.h>

namespace lm::bench {
namespace {

void BM_ChangeFlags64(benchmark::State& state)
{
    BoardList boards;
    appendBoard(boards, 1, "Large", largeBoardLayers());
    std::vector<LMDRILLPAIR> pairs = largeBoardDrillPairs();
    addDrillPairs(boards.front(), pairs);
    const BoardList snapshot = boards;
    // One edited layer near the top: every layer is still compared.
    boards.front().layers[2].dThickness *= 2;
    for (auto _ : state)
        benchmark::DoNotOptimize(boardChangeFlags(boards, snapshot));
}
BENCHMARK(BM_ChangeFlags64)->Unit(benchmark::kMicrosecond);

void BM_AddStackupWithDrillPairs64(benchmark::State& state)
{
    const std::vector<LMLAYEREX> layers = largeBoardLayers();
    std::vector<LMDRILLPAIR> pairs = largeBoardDrillPairs();
    EditorInstance instance;
    for (auto _ : state) {
        // Dropping the previous round's board keeps every round the same work.
        instance.freeStackups();
        instance.addStackup(1, "Large", layers.data(), kLargeBoardLayers);
        instance.addDrillPairs(1, pairs.data(), static_cast<int32_t>(pairs.size()));
    }
    benchmark::DoNotOptimize(instance.boards().data());
}
BENCHMARK(BM_AddStackupWithDrillPairs64)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace lm::bench
