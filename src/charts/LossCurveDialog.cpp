#include "charts/LossCurveDialog.h"

#include "charts/ChartCommands.h"
#include "charts/ChartNumbers.h"
#include "charts/DialogControls.h"
#include "document/EditSettings.h"
#include "document/Z0Calls.h"
#include "model/Units.h"
#include "platform/Platform.h"
#include "platform/ProfileStore.h"
#include "res/ChartResources.h"
#include "res/CommandIds.h"
#include "res/Strings.h"

#include <algorithm>
#include <cmath>

namespace lm {

using namespace res;

namespace {

constexpr std::string_view kSection = "LossCurveDialog";
constexpr uint32_t kRed = 0x0000FF;
constexpr uint32_t kBlue = 0xFF0000;
constexpr uint32_t kGreen = 0x00FF00;
constexpr double kMHz = 1e6;

bool readFlag(ProfileStore& store, std::string_view entry, bool fallback)
{
    return store.readInt(kSection, entry, fallback ? 1 : 0) != 0;
}

} // namespace

LossCurveSettings readLossCurveSettings(ProfileStore& store, Size fullScreen)
{
    LossCurveSettings s;
    s.logX = readFlag(store, "LogXaxis", true);
    s.logY = readFlag(store, "LogYaxis", false);
    s.whatToShow = std::clamp(store.readInt(kSection, "WhatToShow", 0), 0, 1);
    s.showDielectric = readFlag(store, "ShowAttDiel", true);
    s.showResistive = readFlag(store, "ShowAttRes", true);
    s.window.left = std::max(store.readInt(kSection, "WndLeft", 0), 0);
    s.window.top = std::max(store.readInt(kSection, "WndTop", 0), 0);
    s.window.right = std::clamp(store.readInt(kSection, "WndRight", 0), 0, std::max(fullScreen.width, 0));
    s.window.bottom = std::clamp(store.readInt(kSection, "WndBottom", 0), 0, std::max(fullScreen.height, 0));
    return s;
}

void writeLossCurveSettings(ProfileStore& store, const LossCurveSettings& s)
{
    const std::pair<std::string_view, int32_t> values[] = {
        {"LogXaxis", s.logX},           {"LogYaxis", s.logY},          {"WhatToShow", s.whatToShow},
        {"ShowAttDiel", s.showDielectric}, {"ShowAttRes", s.showResistive}, {"WndLeft", s.window.left},
        {"WndTop", s.window.top},       {"WndRight", s.window.right},  {"WndBottom", s.window.bottom},
    };
    for (const auto& [entry, value] : values)
        if (!store.writeInt(kSection, entry, value))
            break;
    store.flush();
}

std::array<double, 101> lossFrequencies(double fminHz, double fmaxHz, bool logX)
{
    std::array<double, 101> f{};
    f[0] = fminHz;
    const double ratio = std::pow(fmaxHz / fminHz, 0.01);
    const double step = (fmaxHz - fminHz) / 100;
    for (std::size_t i = 0; i + 1 < f.size(); ++i)
        f[i + 1] = logX ? f[i] * ratio : f[i] + step;
    return f;
}

double dielectricCrossing(const std::vector<double>& f, const std::vector<double>& R, const std::vector<double>& D)
{
    const std::size_t n = std::min({f.size(), R.size(), D.size()});
    for (std::size_t i = n; i-- > 1;) {
        if (!(D[i] >= R[i] && D[i - 1] <= R[i - 1]))
            continue;
        const double d = (R[i - 1] - R[i]) - (D[i - 1] - D[i]);
        return std::abs(d) > 1e-16 ? f[i] + (D[i] - R[i]) * (f[i - 1] - f[i]) / d : 0.0;
    }
    return 0.0;
}

CLossCurve::CLossCurve(const LMEDITSETTINGS& settings, int32_t layerIndex, ProfileStore& profile, Platform& platform)
    : settings_(settings), layerIndex_(layerIndex), profile_(profile), platform_(platform)
{
    const uint32_t colours[] = {kRed, kBlue, kRed, kGreen};
    for (std::size_t i = 0; i < curves_.size(); ++i)
        curves_[i].setColour(colours[i]);
}

void CLossCurve::initDialog(DialogControls& controls, Size fullScreen)
{
    controls_ = &controls;
    options_ = readLossCurveSettings(profile_, fullScreen);
    controls.setChecked(IDC_LOSS_LOG_X, options_.logX);
    controls.setChecked(IDC_LOSS_LOG_Y, options_.logY);
    controls.setChecked(IDC_LOSS_SHOW_DIELECTRIC, options_.showDielectric);
    controls.setChecked(IDC_LOSS_SHOW_RESISTIVE, options_.showResistive);
    controls.setChecked(IDC_LOSS_RESISTANCE, options_.whatToShow == 0);
    controls.setChecked(IDC_LOSS_ATTENUATION, options_.whatToShow == 1);
    const char point = userDecimalPoint();
    controls.setControlText(IDC_LOSS_MIN, formatCellValue(minMHz_, point));
    controls.setControlText(IDC_LOSS_MAX, formatCellValue(maxMHz_, point));
    chart_.setCursors(IDC_CURSOR_ZOOM, IDC_CURSOR_PAN, IDC_CURSOR_TRACK);
    chart_.recalcLayout();
    compute();
    applyViewChoice();
    if (resistance().empty()) {
        platform_.messageBox(loadString(IDS_LOSS_IMPOSSIBLE), MessageButtons::Ok, MessageIcon::Exclamation);
        controls.endDialog();
    }
}

std::optional<Rect> CLossCurve::storedWindow() const
{
    const Rect& w = options_.window;
    if (w.width() >= minimum_.width && w.height() >= minimum_.height && w.width() > 0 && w.height() > 0)
        return w;
    return std::nullopt;
}

void CLossCurve::recordLayout(Size client, const std::vector<std::pair<uint32_t, Rect>>& controls)
{
    anchors_.emplace(client);
    for (const auto& [id, rect] : controls) {
        uint8_t anchors = kAnchorTopRight; // the options and labels at the right
        if (id == IDC_CHART || id == IDC_LOSS_NO_DATA)
            anchors = kAnchorAll;
        else if (id == IDC_GRAPH_COPY || id == IDC_GRAPH_PRINT || id == IDCANCEL)
            anchors = kAnchorBottomRight;
        anchors_->add(id, rect, anchors);
    }
}

std::vector<std::pair<uint32_t, Rect>> CLossCurve::layoutFor(Size client) const
{
    return anchors_ ? anchors_->layoutFor(client) : std::vector<std::pair<uint32_t, Rect>>{};
}

bool CLossCurve::takeControlValues(bool validate, uint32_t editId)
{
    if (!controls_)
        return false;
    options_.logX = controls_->isChecked(IDC_LOSS_LOG_X);
    options_.logY = controls_->isChecked(IDC_LOSS_LOG_Y);
    options_.showDielectric = controls_->isChecked(IDC_LOSS_SHOW_DIELECTRIC);
    options_.showResistive = controls_->isChecked(IDC_LOSS_SHOW_RESISTIVE);
    options_.whatToShow = controls_->isChecked(IDC_LOSS_ATTENUATION) ? 1 : 0;
    if (!validate)
        return true;
    const char point = userDecimalPoint();
    double values[2] = {};
    const uint32_t ids[2] = {IDC_LOSS_MIN, IDC_LOSS_MAX};
    for (int i = 0; i < 2; ++i) {
        values[i] = readNumber(controls_->controlText(ids[i]), point);
        if (values[i] >= kLowestMHz && values[i] <= kHighestMHz)
            continue;
        // The edit's own range check comes first; the edit left keeps the focus.
        warn(printfText(loadString(IDS_NUMBER_OUT_OF_RANGE), formatCellValue(kLowestMHz, point).c_str(),
                        formatCellValue(kHighestMHz, point).c_str()),
             editId != 0 ? editId : ids[i]);
        return false;
    }
    minMHz_ = values[0];
    maxMHz_ = values[1];
    return true;
}

bool CLossCurve::rangeValid(uint32_t editId)
{
    if (maxMHz_ > minMHz_)
        return true;
    warn(loadString(IDS_FREQUENCY_RANGE_INVALID), editId);
    return false;
}

void CLossCurve::warn(std::string_view text, uint32_t editId)
{
    if (messageOpen_)
        return;
    messageOpen_ = true; // the edit losing its focus to the message box must not ask again
    platform_.messageBox(text, MessageButtons::Ok, MessageIcon::Exclamation);
    messageOpen_ = false;
    controls_->focusAndSelect(editId);
}

void CLossCurve::compute()
{
    for (Curve& curve : curves_)
        curve.removeAllPoints();
    crossing_ = 0;
    const std::array<double, 101> f = lossFrequencies(minMHz_ * kMHz, maxMHz_ * kMHz, options_.logX);
    std::vector<double> mhz(f.begin(), f.end());
    Z0Calls::Loss loss;
    ++calls_;
    if (!Z0Calls(settings_.z0Calculator).calcLoss(settings_.currentBoardId, layerIndex_, mhz, loss))
        return;
    for (double& value : mhz)
        value /= kMHz;
    const std::vector<double>* results[] = {&loss.resistance, &loss.attenuation, &loss.resistiveAttenuation,
                                            &loss.dielectricAttenuation};
    for (std::size_t i = 0; i < curves_.size(); ++i)
        curves_[i] = Curve(mhz.data(), results[i]->data(), mhz.size(), curves_[i].colour());
    crossing_ = dielectricCrossing(mhz, loss.resistiveAttenuation, loss.dielectricAttenuation);
}

void CLossCurve::refresh()
{
    takeControlValues(false);
    controls_->setControlText(IDC_LOSS_CROSSING, "");
    chart_.removeAllCurves();
    const bool data = !resistance().empty();
    controls_->showControl(IDC_CHART, data);
    controls_->showControl(IDC_LOSS_NO_DATA, !data);
    if (!data)
        return;
    chart_.xTitle = loadString(IDS_LOSS_FREQUENCY_TITLE);
    if (options_.whatToShow == 1) {
        chart_.addCurve(curves_[1]);
        chart_.yTitle = loadString(IDS_LOSS_ATTENUATION_TITLE);
        if (options_.showResistive)
            chart_.addCurve(curves_[2]);
        if (options_.showDielectric)
            chart_.addCurve(curves_[3]);
        if (crossing_ > 0)
            controls_->setControlText(IDC_LOSS_CROSSING, printfText(loadString(IDS_LOSS_CROSSING), crossing_));
    } else {
        chart_.addCurve(curves_[0]);
        chart_.yTitle = loadString(IDS_LOSS_RESISTANCE_TITLE);
    }
    chart_.engineeringPrefixes = false;
    chart_.setLogScale(options_.logX, options_.logY);
    chart_.fitToWindow();
}

void CLossCurve::applyViewChoice()
{
    takeControlValues(false);
    const bool attenuation = options_.whatToShow == 1;
    for (const uint32_t id : {IDC_LOSS_CROSSING, IDC_LOSS_CROSSING_LABEL, IDC_LOSS_SWATCH_RESISTIVE, IDC_LOSS_SWATCH_DIELECTRIC})
        controls_->showControl(id, attenuation);
    controls_->enableControl(IDC_LOSS_SHOW_RESISTIVE, attenuation);
    controls_->enableControl(IDC_LOSS_SHOW_DIELECTRIC, attenuation);
    controls_->showControl(IDC_LOSS_SWATCH_RESISTANCE, !attenuation);
    controls_->showControl(IDC_LOSS_SWATCH_ATTENUATION, true);
    refresh();
}

void CLossCurve::rangeEditLeft(uint32_t editId, bool toButtonOrOutside)
{
    if (toButtonOrOutside || messageOpen_ || !takeControlValues(true, editId) || !rangeValid(editId))
        return;
    compute();
    refresh();
}

void CLossCurve::logXToggled()
{
    if (!takeControlValues(true) || !rangeValid(IDC_LOSS_MAX))
        return;
    compute();
    refresh();
}

void CLossCurve::optionToggled() { refresh(); }

void CLossCurve::viewChosen() { applyViewChoice(); }

bool CLossCurve::onCommand(uint32_t id)
{
    return runChartCommand(chart_, id, controls_ ? controls_->title() : std::string{});
}

void CLossCurve::close(const Rect& normalWindow)
{
    if (controls_)
        takeControlValues(false);
    options_.window = normalWindow;
    writeLossCurveSettings(profile_, options_);
    if (controls_)
        controls_->endDialog();
}

} // namespace lm
