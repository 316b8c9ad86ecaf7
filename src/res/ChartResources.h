#pragma once
// The resources of the two graph dialogs: control and command ids, the
// chart's context menu (popup 1 of menu 1005) and the two dialog templates.
#include "res/DialogTemplates.h"
#include "res/Menus.h"

#include <cstdint>
#include <vector>

namespace lm::res {

enum ChartControlId : uint32_t {
    IDC_CHART = 1025,
    // Z0 curve dialog (template 1015)
    IDC_CURVE_NO_DATA = 1026,
    IDC_CURVE_PROGRESS = 1027,
    IDC_CURVE_PROGRESS_LABEL = 1028,
    IDC_CURVE_CLOSE_CAPTION = 1029,
    IDC_GRAPH_COPY = 1007,
    IDC_GRAPH_PRINT = 1031,
    // Loss dialog (template 588)
    IDC_LOSS_NO_DATA = 1043,
    IDC_LOSS_MIN = 1723,
    IDC_LOSS_MAX = 1724,
    IDC_LOSS_CROSSING = 1725,
    IDC_LOSS_ATTENUATION = 2120,
    IDC_LOSS_RESISTANCE = 2121,
    IDC_LOSS_LOG_X = 2122,
    IDC_LOSS_LOG_Y = 2123,
    IDC_LOSS_SHOW_RESISTIVE = 2124,
    IDC_LOSS_SHOW_DIELECTRIC = 2125,
    IDC_LOSS_SWATCH_RESISTANCE = 2199,
    IDC_LOSS_SWATCH_ATTENUATION = 2200,
    IDC_LOSS_SWATCH_RESISTIVE = 2201,
    IDC_LOSS_SWATCH_DIELECTRIC = 2202,
    IDC_LOSS_CROSSING_LABEL = 2203,
    IDC_LOSS_MIN_LABEL = 2204,
    IDC_LOSS_MAX_LABEL = 2205,
    IDC_LOSS_RANGE_GROUP = 2206,
    IDC_LOSS_SHOW_GROUP = 2207,
};

enum ChartCommandId : uint32_t {
    ID_CHART_FIT = 32780,
    ID_CHART_ZOOM = 32782,
    ID_CHART_PAN = 32783,
    ID_CHART_TRACK = 32841,
    ID_CHART_COPY = 40017,
    ID_CHART_COPY_INVERTED = 40018,
    ID_CHART_PRINT = 32827,
};

enum ChartResourceId : uint32_t {
    IDD_LOSS_CURVE = 588,
    IDD_Z0_CURVE = 1015,
    IDC_CURSOR_ZOOM = 1017,
    IDC_CURSOR_PAN = 1018,
    IDC_CURSOR_TRACK = 109,
};

// "Chart Control Popup": fit, the three mouse modes, copy, copy inverted, print.
const MenuItem& chartPopupMenu();

// The two graph dialogs' templates, for the template list.
std::vector<DialogTemplate> chartDialogTemplates();

} // namespace lm::res
