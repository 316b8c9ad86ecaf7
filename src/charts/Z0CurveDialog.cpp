#include "charts/Z0CurveDialog.h"

#include "charts/ChartCommands.h"
#include "charts/ChartNumbers.h"
#include "charts/DialogControls.h"
#include "document/EditSettings.h"
#include "document/Z0Calls.h"
#include "model/LayerRecord.h"
#include "model/Units.h"
#include "res/ChartResources.h"
#include "res/CommandIds.h"
#include "res/Strings.h"

#include <cmath>

namespace lm {

using namespace res;

namespace {

constexpr uint32_t kCurveColour = 0x00FF00;
constexpr int32_t kMinChartHeight = 128;
constexpr std::size_t kLongestName = 8;
constexpr std::size_t kShortenedName = 6;

bool continuesCharacter(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

std::size_t characterCount(std::string_view text)
{
    std::size_t count = 0;
    for (const char c : text)
        count += !continuesCharacter(c);
    return count;
}

// The first n characters of UTF-8 text, never cutting one apart.
std::string_view firstCharacters(std::string_view text, std::size_t n)
{
    std::size_t seen = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!continuesCharacter(text[i]) && seen++ == n)
            return text.substr(0, i);
    return text;
}

} // namespace

std::string z0CurveTitle(const LMLAYEREX& layer)
{
    std::string name(layerName(layer));
    if (name.empty())
        name = loadString(IDS_UNNAMED);
    else if (characterCount(name) > kLongestName)
        name = std::string(firstCharacters(name, kShortenedName)) + "...";
    const double target = std::trunc(layer.dTargetZ0);
    const int targetOhms = std::isfinite(target) && std::abs(target) < 2e9 ? static_cast<int>(target) : 0;
    return printfText(loadString(IDS_Z0_CURVE_TITLE), name.c_str(), targetOhms);
}

CZ0CurveDialog::CZ0CurveDialog(const LMEDITSETTINGS& settings, const LMLAYEREX& layer)
    : settings_(settings), layer_(layer)
{
}

void CZ0CurveDialog::initDialog(DialogControls& controls)
{
    controls_ = &controls;
    chart_.setCursors(IDC_CURSOR_ZOOM, IDC_CURSOR_PAN, IDC_CURSOR_TRACK);
    chart_.recalcLayout();
    controls.setProgress(IDC_CURVE_PROGRESS, 0);
    controls.enableControl(IDC_GRAPH_COPY, false);
    controls.enableControl(IDC_GRAPH_PRINT, false);
    controls.setTitle(z0CurveTitle(layer_));
}

void CZ0CurveDialog::recordLayout(Size client, const Rect& chart, const Rect& cancel, const Rect& copy, const Rect& print)
{
    anchors_.emplace(client);
    anchors_->add(IDC_CHART, chart, kAnchorAll);
    anchors_->add(IDCANCEL, cancel, kAnchorBottomRight);
    anchors_->add(IDC_GRAPH_COPY, copy, kAnchorBottomRight);
    anchors_->add(IDC_GRAPH_PRINT, print, kAnchorBottomRight);
}

std::vector<std::pair<uint32_t, Rect>> CZ0CurveDialog::layoutFor(Size client) const
{
    return anchors_ ? anchors_->layoutFor(client) : std::vector<std::pair<uint32_t, Rect>>{};
}

Size CZ0CurveDialog::minimumTrackingSize(int32_t captionHeight) const
{
    if (!anchors_)
        return {};
    const Size client = anchors_->recordedClient();
    const Rect chart = anchors_->recorded(IDC_CHART);
    const Rect cancel = anchors_->recorded(IDCANCEL);
    const Rect copy = anchors_->recorded(IDC_GRAPH_COPY);
    // Copy's offset from the right edge plus Cancel's, less Cancel's width: the button row fits.
    const int32_t width = (client.width - copy.left) + (client.width - cancel.left) - cancel.width();
    const int32_t height = captionHeight + chart.top + (client.height - chart.bottom) + kMinChartHeight;
    return {width, height};
}

bool CZ0CurveDialog::onIdle()
{
    if (steps_ >= kSteps || finished_)
        return false;
    const double width = Z0Calls(settings_.z0Calculator).solveTraceGeometry(layer_, separation_, true, false);
    if (width >= kMinWidth && width <= kMaxWidth) {
        const LMUNIT& unit = settings_.currentUnit();
        curve_.setPoint(curve_.size(), {lengthShown(separation_, unit), lengthShown(width, unit)});
    } else if (!curve_.empty()) {
        // The first width out of range after plotted ones ends the sweep.
        steps_ = kSteps;
        complete();
        return false;
    }
    ++steps_;
    if (controls_)
        controls_->setProgress(IDC_CURVE_PROGRESS, steps_ * 100 / kSteps);
    separation_ *= std::pow(100.0, 1.0 / 19);
    if (steps_ < kSteps)
        return true;
    complete();
    return false;
}

void CZ0CurveDialog::complete()
{
    finished_ = true;
    if (!controls_)
        return;
    controls_->showControl(IDC_CURVE_PROGRESS, false);
    controls_->showControl(IDC_CURVE_PROGRESS_LABEL, false);
    controls_->setControlText(IDCANCEL, controls_->controlText(IDC_CURVE_CLOSE_CAPTION));
    controls_->enableControl(IDC_GRAPH_COPY, true);
    controls_->enableControl(IDC_GRAPH_PRINT, true);
    if (curve_.size() > 1) {
        curve_.recalcBounds();
        curve_.setColour(kCurveColour);
        const std::string unit(lengthUnitText(settings_.currentUnit()));
        chart_.xUnit = unit;
        chart_.yUnit = unit;
        chart_.xTitle = loadString(IDS_CURVE_SEPARATION);
        chart_.yTitle = loadString(IDS_CURVE_TRACE_WIDTH);
        chart_.addCurve(curve_);
        chart_.recalcLayout();
        controls_->showControl(IDC_CHART, true);
    } else {
        controls_->showControl(IDC_CURVE_NO_DATA, true);
    }
}

void CZ0CurveDialog::cancel()
{
    if (separation_ < kSizingBlockedBelow)
        separation_ = 0.00255; // a sweep still running takes no further step
    steps_ = kSteps;
    if (controls_)
        controls_->endDialog();
}

bool CZ0CurveDialog::onCommand(uint32_t id)
{
    if (id == IDCANCEL) {
        cancel();
        return true;
    }
    return runChartCommand(chart_, id, controls_ ? controls_->title() : std::string{});
}

} // namespace lm
