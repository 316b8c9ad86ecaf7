#pragma once
// The Z0 curve dialog: for one metal layer, the trace width a differential
// pair needs at each separation to keep the layer's target impedance. The
// separation sweeps 25 um to 2.5 mm in 20 equal ratios, one calculator call
// per idle pass of the dialog's loop, with a progress bar; width is plotted
// against separation, both in the current length unit.
#include <laminar/laminar.h>

#include "charts/AnchorLayout.h"
#include "charts/ChartControl.h"
#include "charts/Curve.h"

#include <cstdint>
#include <optional>
#include <string>

namespace lm {

class DialogControls;
struct LMEDITSETTINGS;

// The dialog's title for a layer: its name (empty: "<Unnamed>", longer than 8
// characters: the first 6 and "...") and its target truncated to whole ohms.
std::string z0CurveTitle(const LMLAYEREX& layer);

class CZ0CurveDialog {
public:
    static constexpr int32_t kSteps = 20;
    static constexpr double kFirstSeparation = 2.5e-5;
    // Widths outside this range are no answer.
    static constexpr double kMinWidth = 2.5e-5;
    static constexpr double kMaxWidth = 5e-4;

    // The settings give the calculator and the unit; the layer is read, never changed.
    CZ0CurveDialog(const LMEDITSETTINGS& settings, const LMLAYEREX& layer);
    CZ0CurveDialog(const CZ0CurveDialog&) = delete;
    CZ0CurveDialog& operator=(const CZ0CurveDialog&) = delete;

    CChartControl& chart() { return chart_; }
    const Curve& curve() const { return curve_; }
    const LMLAYEREX& layer() const { return layer_; }

    // After the chart is attached: its cursors and layout, the progress bar
    // at 0, the title; Copy and Print wait for the sweep.
    void initDialog(DialogControls& controls);
    // The chart's, Copy's and Print's rectangles in the client area now: they follow later sizes.
    void recordLayout(Size client, const Rect& chart, const Rect& cancel, const Rect& copy, const Rect& print);
    // Where they go in a client area of that size.
    std::vector<std::pair<uint32_t, Rect>> layoutFor(Size client) const;
    // The least size: the buttons' row fits and the chart keeps 128 pixels.
    Size minimumTrackingSize(int32_t captionHeight) const;

    // One step of the sweep; true while more idle time is wanted.
    bool onIdle();
    // The window cannot be resized while the sweep runs.
    bool sizingBlocked() const { return !finished_ && separation_ < kSizingBlockedBelow; }
    // Cancel or Close, at any time: the sweep stops and the dialog ends.
    void cancel();
    // Context menu, Copy and Print: false for other commands.
    bool onCommand(uint32_t id);

    int32_t stepsDone() const { return steps_; }
    double separation() const { return separation_; }
    bool finished() const { return finished_; }

private:
    static constexpr double kSizingBlockedBelow = 0.002525;
    void complete();

    const LMEDITSETTINGS& settings_;
    const LMLAYEREX& layer_;
    DialogControls* controls_ = nullptr;
    CChartControl chart_;
    Curve curve_;
    int32_t steps_ = 0;
    double separation_ = kFirstSeparation;
    bool finished_ = false;
    std::optional<AnchorLayout> anchors_;
};

} // namespace lm
