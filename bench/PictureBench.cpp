// The stackup picture of a 64-layer board laid out and painted into the
// recording canvas, once per label mode: the core's share of every resize,
// edit and tab change, without the cost of any real painting.
#include "LargeBoard.h"

#include "RecordingCanvas.h"
#include "document/Board.h"
#include "document/EditSettings.h"
#include "picture/StackupPicture.h"

#include <benchmark/benchmark.h>

namespace lm::bench {
namespace {

void BM_PictureLayoutPaint64(benchmark::State& state)
{
    MBSTACKUPENTRY board;
    board.layers = largeBoardLayers();
    LMEDITSETTINGS settings;
    settings.currentBoard = &board;
    StackupPicture picture(settings);
    picture.setLabelMode(static_cast<int32_t>(state.range(0)));
    std::vector<double> z0(board.layers.size());
    for (std::size_t i = 0; i < z0.size(); ++i)
        z0[i] = 40.0 + static_cast<double>(i % 7);
    picture.setZ0Values(z0);
    test::RecordingCanvas canvas;
    for (auto _ : state) {
        canvas.calls.clear();
        picture.layout({600, 800}, canvas);
        picture.paint(canvas, 0xF0F0F0);
        benchmark::DoNotOptimize(canvas.calls.data());
    }
    state.counters["calls"] = static_cast<double>(canvas.calls.size());
}
// -1: no right labels; 0 thickness, 1 Er, 2 Z0.
BENCHMARK(BM_PictureLayoutPaint64)->Arg(-1)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace lm::bench
