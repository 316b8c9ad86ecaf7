// The reference impedance calculator on the 64-layer board, as the grid's
// refresh and the loss dialog call it. "Warm" runs repeat a question the
// calculator has answered before (the refresh after an edit elsewhere);
// "AfterEdit" runs change the geometry every time, so the field solver works.
#include "LargeBoard.h"

#include <laminar/laminar.h>
#include <laminar/z0calc.h>

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

namespace lm::bench {
namespace {

constexpr int32_t kBoardId = 1;
constexpr int32_t kTraceLayer = 4; // a signal layer between two planes

struct LargeBoardInstance {
    LargeBoardInstance()
    {
        const std::vector<LMLAYEREX> layers = largeBoardLayers();
        lmAddStackup(instance.get(), kBoardId, "Large", layers.data(), kLargeBoardLayers);
        lmSetCurrentBoard(instance.get(), kBoardId);
    }
    LMLAYEREX* layers()
    {
        LMLAYEREX* records = nullptr;
        int32_t count = 0;
        lmGetStackup(instance.get(), kBoardId, &records, &count);
        return records;
    }
    std::unique_ptr<void, void (*)(void*)> instance{lmInitInstance(nullptr, 0), lmFreeInstance};
    lmz0::ReferenceZ0Calculator calculator{instance.get()};
};

void BM_CalcStackupZ0Warm64(benchmark::State& state)
{
    LargeBoardInstance board;
    std::vector<double> z0(kLargeBoardLayers, 0.0);
    board.calculator.CalcStackupZ0(kBoardId, 0, z0.data());
    for (auto _ : state) {
        board.calculator.CalcStackupZ0(kBoardId, 0, z0.data());
        benchmark::DoNotOptimize(z0.data());
    }
}
BENCHMARK(BM_CalcStackupZ0Warm64)->Unit(benchmark::kMicrosecond);

// One dielectric's thickness changes: the two traces beside it are solved anew.
void BM_CalcStackupZ0AfterEdit64(benchmark::State& state)
{
    LargeBoardInstance board;
    std::vector<double> z0(kLargeBoardLayers, 0.0);
    board.calculator.CalcStackupZ0(kBoardId, 0, z0.data());
    LMLAYEREX& dielectric = board.layers()[kTraceLayer + 1];
    for (auto _ : state) {
        dielectric.dThickness *= 1.0001;
        board.calculator.CalcStackupZ0(kBoardId, 0, z0.data());
        benchmark::DoNotOptimize(z0.data());
    }
}
BENCHMARK(BM_CalcStackupZ0AfterEdit64)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

void solveWidth(benchmark::State& state, bool newTargetEachTime)
{
    LargeBoardInstance board;
    LMLAYEREX* layer = &board.layers()[kTraceLayer];
    layer->dTargetZ0 = 50.0;
    double width = board.calculator.SolveTraceGeometry(layer, 0.0, false, false);
    for (auto _ : state) {
        if (newTargetEachTime) layer->dTargetZ0 *= 1.0001;
        width = board.calculator.SolveTraceGeometry(layer, 0.0, false, false);
        benchmark::DoNotOptimize(width);
    }
    if (width <= 0.0) state.SkipWithError("no width for the target");
}
void BM_SolveTraceGeometryWarm(benchmark::State& state) { solveWidth(state, false); }
void BM_SolveTraceGeometryNewTarget(benchmark::State& state) { solveWidth(state, true); }
BENCHMARK(BM_SolveTraceGeometryWarm)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SolveTraceGeometryNewTarget)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

void BM_CalcLoss101(benchmark::State& state)
{
    LargeBoardInstance board;
    std::vector<double> f(101), r(101), a(101), ar(101), ad(101);
    for (std::size_t i = 0; i < f.size(); ++i) f[i] = 1e5 * std::pow(10.0, static_cast<double>(i) / 20.0);
    bool ok = board.calculator.CalcLoss(kBoardId, kTraceLayer, 101, f.data(), r.data(), a.data(), ar.data(), ad.data());
    for (auto _ : state) {
        ok = board.calculator.CalcLoss(kBoardId, kTraceLayer, 101, f.data(), r.data(), a.data(), ar.data(), ad.data());
        benchmark::DoNotOptimize(a.data());
    }
    if (!ok) state.SkipWithError("no loss for the layer");
}
BENCHMARK(BM_CalcLoss101)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace lm::bench
