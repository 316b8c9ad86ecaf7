#pragma once
// A chart in a fake window: a fixed client area, the recording canvas's font
// metrics (7 pixels a character, 16 a line) and every request recorded.
#include "charts/ChartControl.h"
#include "RecordingCanvas.h"

#include <string>
#include <vector>

namespace lm::test {

class FakeChartWindow : public ChartWindow {
public:
    Rect client{0, 0, 600, 400};
    int repaints = 0;
    std::vector<uint32_t> cursors;
    bool captured = false;
    int animationsStarted = 0;
    bool clipboardWorks = true;
    Size copiedSize;
    RecordingCanvas copied;
    int printed = 0;

    Rect clientRect() const override { return client; }
    void measure(const std::function<void(Canvas&)>& use) override
    {
        RecordingCanvas canvas;
        use(canvas);
    }
    void repaint() override { ++repaints; }
    void showCursor(uint32_t cursorId) override { cursors.push_back(cursorId); }
    void captureMouse(bool capture) override { captured = capture; }
    void startAnimation() override { ++animationsStarted; }
    bool copyBitmap(Size size, const std::function<void(Canvas&)>& draw) override
    {
        copiedSize = size;
        copied = RecordingCanvas{};
        draw(copied);
        return clipboardWorks;
    }
    bool printChart(CChartControl&, std::string_view, const ChartPageSettings&) override
    {
        ++printed;
        return true;
    }
};

// x = 0..10 in steps of 1, y = x (a straight line), in green.
inline Curve rampCurve(uint32_t colour = 0x00FF00)
{
    std::vector<double> x, y;
    for (int i = 0; i <= 10; ++i) {
        x.push_back(i);
        y.push_back(i);
    }
    return Curve(x.data(), y.data(), x.size(), colour);
}

} // namespace lm::test
