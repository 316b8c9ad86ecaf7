#include "charts/ChartCommands.h"

#include "charts/ChartControl.h"
#include "res/ChartResources.h"

namespace lm {

using namespace res;

bool runChartCommand(CChartControl& chart, uint32_t id, std::string_view windowTitle)
{
    switch (id) {
    case ID_CHART_FIT: chart.fitToWindow(); return true;
    case ID_CHART_ZOOM: chart.setMouseMode(kChartZoom); return true;
    case ID_CHART_PAN: chart.setMouseMode(kChartPan); return true;
    case ID_CHART_TRACK: chart.setMouseMode(kChartTrack); return true;
    case ID_CHART_COPY:
    case IDC_GRAPH_COPY: chart.copyToClipboard(windowTitle, true); return true;
    case ID_CHART_COPY_INVERTED: chart.copyToClipboard(windowTitle, false); return true;
    case ID_CHART_PRINT:
    case IDC_GRAPH_PRINT: chart.print(windowTitle); return true;
    default: return false;
    }
}

bool chartCommandChecked(const CChartControl& chart, uint32_t id)
{
    return (id == ID_CHART_ZOOM && chart.mouseMode() == kChartZoom) ||
           (id == ID_CHART_PAN && chart.mouseMode() == kChartPan) ||
           (id == ID_CHART_TRACK && chart.mouseMode() == kChartTrack);
}

} // namespace lm
