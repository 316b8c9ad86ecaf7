#pragma once
// The commands both graph dialogs route to their chart: the context menu
// ("Chart Control Popup") and the Copy and Print buttons.
#include <cstdint>
#include <string_view>

namespace lm {

class CChartControl;

// Fit, the three mouse modes, copy (white background), copy inverted (the
// screen's black one) and print, the window title naming the copy and the
// printed document. False for any other command.
bool runChartCommand(CChartControl& chart, uint32_t id, std::string_view windowTitle);
// The popup's check mark: on the item of the chart's mouse mode.
bool chartCommandChecked(const CChartControl& chart, uint32_t id);

} // namespace lm
