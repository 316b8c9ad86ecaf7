// The graph dialogs' work: a chart of four 101-point curves laid out and
// painted (what every mouse move over the chart repaints), and a whole Z0-curve
// sweep with the reference calculator (20 differential-pair solutions).
#include "charts/ChartControl.h"
#include "charts/Z0CurveDialog.h"
#include "document/EditSettings.h"
#include "RecordingCanvas.h"
#include "SampleStackup.h"

#include <laminar/laminar.h>
#include <laminar/z0calc.h>

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

namespace lm::bench {
namespace {

class BenchWindow : public ChartWindow {
public:
    Rect clientRect() const override { return {0, 0, 800, 500}; }
    void measure(const std::function<void(Canvas&)>& use) override
    {
        test::RecordingCanvas canvas;
        use(canvas);
    }
    void repaint() override {}
    void showCursor(uint32_t) override {}
    void captureMouse(bool) override {}
    void startAnimation() override {}
    bool copyBitmap(Size, const std::function<void(Canvas&)>&) override { return false; }
    bool printChart(CChartControl&, std::string_view, const ChartPageSettings&) override { return false; }
};

void BM_ChartLayoutPaint4x101(benchmark::State& state)
{
    std::vector<double> f(101);
    std::vector<std::vector<double>> y(4, std::vector<double>(101));
    for (int i = 0; i <= 100; ++i) {
        f[i] = 0.1 * std::pow(10.0, i / 20.0);
        y[0][i] = 10 / std::sqrt(f[i]);
        y[1][i] = f[i] / 10;
        y[2][i] = y[0][i] + y[1][i];
        y[3][i] = 1 + f[i] / 100;
    }
    std::vector<Curve> curves;
    for (const std::vector<double>& values : y)
        curves.emplace_back(f.data(), values.data(), f.size(), 0x0000FF);
    BenchWindow window;
    CChartControl chart;
    chart.attach(&window);
    for (Curve& curve : curves)
        chart.addCurve(curve);
    chart.setLogScale(true, true);
    chart.mouseMove({400, 250}); // with the readout
    for (auto _ : state) {
        chart.recalcLayout();
        test::RecordingCanvas canvas;
        chart.paint(canvas);
        benchmark::DoNotOptimize(canvas.calls.data());
    }
}
BENCHMARK(BM_ChartLayoutPaint4x101)->Unit(benchmark::kMicrosecond);

// The Z0-curve dialog's sweep of 20 pair widths. A new target each run: no
// answer is remembered, but the search starts from what the last sweep of the
// board found at each gap. With `newBoard` the prepreg changes each run too:
// nothing is known, as for the first sweep of a board.
void sweepZ0Curve(benchmark::State& state, bool newBoard)
{
    std::unique_ptr<void, void (*)(void*)> instance{lmInitInstance(nullptr, 0), lmFreeInstance};
    const std::vector<LMLAYEREX> layers = test::microstripPairStackup(1);
    lmAddStackup(instance.get(), 1, "Microstrip", layers.data(), static_cast<int32_t>(layers.size()));
    lmSetCurrentBoard(instance.get(), 1);
    lmz0::ReferenceZ0Calculator calculator(instance.get());
    LMEDITSETTINGS settings;
    settings.z0Calculator = &calculator;
    LMLAYEREX* records = nullptr;
    int32_t count = 0;
    lmGetStackup(instance.get(), 1, &records, &count);
    std::size_t points = 0;
    for (auto _ : state) {
        records[0].dTargetZ0 *= 1.0001;
        if (newBoard) records[1].dThickness *= 1.0001;
        CZ0CurveDialog dialog(settings, records[0]);
        while (dialog.onIdle()) {
        }
        points = dialog.curve().size();
    }
    state.counters["points"] = static_cast<double>(points);
}

void BM_Z0CurveSweepReference(benchmark::State& state) { sweepZ0Curve(state, false); }
BENCHMARK(BM_Z0CurveSweepReference)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

void BM_Z0CurveSweepReferenceNewBoard(benchmark::State& state) { sweepZ0Curve(state, true); }
BENCHMARK(BM_Z0CurveSweepReferenceNewBoard)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

} // namespace
} // namespace lm::bench
