#pragma once
// The graph dialogs' window as tests see it: every control's state kept by
// id, and a chart window with the recording canvas's font metrics (7 pixels a
// character, 16 a line) that notes mouse capture and copies.
#include "charts/ChartControl.h"
#include "charts/DialogControls.h"
#include "RecordingCanvas.h"

#include <laminar/laminar.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace lm::test {

class FakeChartWindow : public ChartWindow {
public:
    Rect client{0, 0, 600, 400};
    bool captured = false;
    int animationsStarted = 0;
    Size copiedSize;
    RecordingCanvas copied;

    Rect clientRect() const override { return client; }
    void measure(const std::function<void(Canvas&)>& use) override
    {
        RecordingCanvas canvas;
        use(canvas);
    }
    void repaint() override {}
    void showCursor(uint32_t) override {}
    void captureMouse(bool capture) override { captured = capture; }
    void startAnimation() override { ++animationsStarted; }
    bool copyBitmap(Size size, const std::function<void(Canvas&)>& draw) override
    {
        copiedSize = size;
        copied = RecordingCanvas{};
        draw(copied);
        return true;
    }
    bool printChart(CChartControl&, std::string_view, const ChartPageSettings&) override { return true; }
};

class FakeDialogControls : public DialogControls {
public:
    std::map<uint32_t, bool> shown, enabled, checked;
    std::map<uint32_t, std::string> texts;
    std::map<uint32_t, int32_t> progress;
    std::string windowTitle;
    std::vector<uint32_t> focused;
    int ended = 0;

    void showControl(uint32_t id, bool on) override { shown[id] = on; }
    void enableControl(uint32_t id, bool on) override { enabled[id] = on; }
    void setControlText(uint32_t id, std::string_view text) override { texts[id] = std::string(text); }
    std::string controlText(uint32_t id) const override { return stored(texts, id, std::string{}); }
    bool isChecked(uint32_t id) const override { return stored(checked, id, false); }
    void setChecked(uint32_t id, bool on) override { checked[id] = on; }
    void setProgress(uint32_t id, int32_t position) override { progress[id] = position; }
    void setTitle(std::string_view title) override { windowTitle = std::string(title); }
    std::string title() const override { return windowTitle; }
    void focusAndSelect(uint32_t id) override { focused.push_back(id); }
    void endDialog() override { ++ended; }

    // Shown unless hidden; enabled unless disabled.
    bool isShown(uint32_t id) const { return stored(shown, id, true); }
    bool isEnabled(uint32_t id) const { return stored(enabled, id, true); }

private:
    // What the map holds for a control, else `unset`.
    template <typename Value>
    static Value stored(const std::map<uint32_t, Value>& map, uint32_t id, Value unset)
    {
        const auto found = map.find(id);
        return found == map.end() ? unset : found->second;
    }
};

} // namespace lm::test
