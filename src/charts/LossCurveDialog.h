#pragma once
// The loss-versus-frequency dialog: for one layer of the current board, the
// resistance or the attenuation per metre against frequency, the attenuation
// with its resistive and dielectric parts and the frequency above which the
// dielectric part dominates. One CalcLoss call per recomputation over 101
// frequencies; the options persist in the profile section "LossCurveDialog".
#include "charts/AnchorLayout.h"
#include "charts/ChartControl.h"
#include "charts/Curve.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace lm {

class DialogControls;
class Platform;
class ProfileStore;
struct LMEDITSETTINGS;

// The options the dialog keeps between openings, read with their clamping.
struct LossCurveSettings {
    bool logX = true;
    bool logY = false;
    int32_t whatToShow = 0; // 0 resistance, 1 attenuation
    bool showDielectric = true;
    bool showResistive = true;
    Rect window;            // the normal rectangle at the last close; 0s when never stored
};
LossCurveSettings readLossCurveSettings(ProfileStore& store, Size fullScreen);
void writeLossCurveSettings(ProfileStore& store, const LossCurveSettings& settings);

// 101 frequencies in hertz from fmin: in equal ratios with log x, equal steps without.
std::array<double, 101> lossFrequencies(double fminHz, double fmaxHz, bool logX);
// Where the dielectric attenuation overtakes the resistive one (interpolated,
// in the frequencies' unit), searching from the highest frequency; 0 for none.
double dielectricCrossing(const std::vector<double>& f, const std::vector<double>& resistive,
                          const std::vector<double>& dielectric);

class CLossCurve {
public:
    static constexpr int32_t kPoints = 101;
    static constexpr double kLowestMHz = 0.0001;
    static constexpr double kHighestMHz = 100000;

    // The settings give the board, the calculator; `layerIndex` is zero-based in the current board.
    CLossCurve(const LMEDITSETTINGS& settings, int32_t layerIndex, ProfileStore& profile, Platform& platform);
    CLossCurve(const CLossCurve&) = delete;
    CLossCurve& operator=(const CLossCurve&) = delete;

    CChartControl& chart() { return chart_; }
    const Curve& resistance() const { return curves_[0]; }
    const Curve& attenuation() const { return curves_[1]; }
    const Curve& resistiveAttenuation() const { return curves_[2]; }
    const Curve& dielectricAttenuation() const { return curves_[3]; }
    double crossingMHz() const { return crossing_; }
    const LossCurveSettings& settings() const { return options_; }
    int32_t calcLossCalls() const { return calls_; }

    // After the chart is attached: the stored options into the controls, the
    // chart's cursors and layout, the first computation and the view. The
    // window's size now becomes its least. Without loss data the message
    // 1185 shows and the dialog ends.
    void initDialog(DialogControls& controls, Size fullScreen);
    // The stored rectangle when the window should take it (at least the least size).
    std::optional<Rect> storedWindow() const;
    // The controls' rectangles now: they follow later sizes by their anchors.
    void recordLayout(Size client, const std::vector<std::pair<uint32_t, Rect>>& controls);
    std::vector<std::pair<uint32_t, Rect>> layoutFor(Size client) const;
    Size minimumSize() const { return minimum_; }
    void setMinimumSize(Size size) { minimum_ = size; }

    // --- events
    // Min or Max lost the focus; `toButtonOrOutside`: to Close or out of the dialog.
    void rangeEditLeft(uint32_t editId, bool toButtonOrOutside);
    void logXToggled();
    void optionToggled(); // log y, resistive, dielectric: the chart only
    void viewChosen();    // either radio button
    // Context menu, Copy and Print; false for other commands.
    bool onCommand(uint32_t id);
    // Close or Escape: the options and the window's normal rectangle are stored, the dialog ends.
    void close(const Rect& normalWindow);

private:
    // Reads the controls; with `validate`, an out-of-range edit is refused with its message.
    bool takeControlValues(bool validate, uint32_t editId = 0);
    bool rangeValid(uint32_t editId);
    // The message with the exclamation icon, then the edit gets the focus back
    // with its text selected; never two at once.
    void warn(std::string_view text, uint32_t editId);
    void compute();
    void refresh();
    void applyViewChoice();

    const LMEDITSETTINGS& settings_;
    int32_t layerIndex_;
    ProfileStore& profile_;
    Platform& platform_;
    DialogControls* controls_ = nullptr;
    CChartControl chart_;
    std::array<Curve, 4> curves_; // resistance, attenuation, resistive, dielectric
    LossCurveSettings options_;
    double minMHz_ = 0.1;
    double maxMHz_ = 10000.0;
    double crossing_ = 0;
    int32_t calls_ = 0;
    bool messageOpen_ = false;
    Size minimum_;
    std::optional<AnchorLayout> anchors_;
};

} // namespace lm
