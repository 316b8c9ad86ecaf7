// The stackup picture of a 64-layer board laid out and painted into an
// off-screen image through QPainter, as the picture window does on every
// resize and edit.
#include "LargeBoard.h"

#include "api/EditorInstance.h"
#include "picture/StackupPicture.h"
#include "qt/QtCanvas.h"

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace lm::bench {
namespace {

// Fonts need a GUI application; the offscreen platform needs no display.
void ensureGuiApplication()
{
    if (QGuiApplication::instance() != nullptr)
        return;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "laminar_bench";
    static char* argv[] = {name, nullptr};
    static QGuiApplication application(argc, argv);
}

void BM_PictureImage64(benchmark::State& state)
{
    ensureGuiApplication();
    const std::vector<LMLAYEREX> layers = largeBoardLayers();
    EditorInstance instance;
    if (!instance.addStackup(1, "large", layers.data(), kLargeBoardLayers)) {
        state.SkipWithError("the large board was refused");
        return;
    }
    instance.showBoard(0);
    StackupPicture picture(instance.settings());
    picture.setLabelMode(0);
    QImage image(600, 800, QImage::Format_RGB32);
    const QFont font = QGuiApplication::font();
    for (auto _ : state) {
        QPainter painter(&image);
        qt::QtCanvas canvas(painter, font);
        picture.layout({image.width(), image.height()}, canvas);
        picture.paint(canvas, 0xF0F0F0);
    }
    benchmark::DoNotOptimize(image.constBits());
}
BENCHMARK(BM_PictureImage64)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace lm::bench
