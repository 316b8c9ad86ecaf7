#include "res/ChartResources.h"

#include "res/CommandIds.h"

namespace lm::res {
namespace {

constexpr std::string_view kLossImpossible =
    "Calculation of loss data is physically impossible;\nCheck for unusual geometry or no plane layers present";

DialogTemplate z0CurveTemplate()
{
    return makeTemplate(IDD_Z0_CURVE, "Z0 Curve", 360, 250,
                  {hidden(control(ItemKind::Custom, IDC_CHART, {}, 7, 7, 346, 214)),
                   hidden(control(ItemKind::StaticCentre, IDC_CURVE_NO_DATA,
                                  "Unable to calculate Z0 curve for the specified Z0\nNo data available", 7, 100, 346,
                                  20)),
                   control(ItemKind::StaticLeft, IDC_CURVE_PROGRESS_LABEL, "Calculation in progress:", 7, 96, 200, 8),
                   control(ItemKind::ProgressBar, IDC_CURVE_PROGRESS, {}, 7, 107, 346, 10),
                   hidden(control(ItemKind::StaticLeft, IDC_CURVE_CLOSE_CAPTION, "Close", 7, 229, 20, 8)),
                   control(ItemKind::PushButton, IDC_GRAPH_COPY, "&Copy", 189, 229, 50, 14),
                   control(ItemKind::PushButton, IDC_GRAPH_PRINT, "&Print...", 246, 229, 50, 14),
                   control(ItemKind::DefPushButton, IDCANCEL, "Cancel", 303, 229, 50, 14)});
}

DialogTemplate lossCurveTemplate()
{
    constexpr int32_t x = 345; // the options column right of the chart
    constexpr int32_t swatch = 418;
    return makeTemplate(
        IDD_LOSS_CURVE, "Loss-vs-Frequency Graph", 440, 270,
        {control(ItemKind::Custom, IDC_CHART, {}, 7, 7, 330, 256),
         hidden(control(ItemKind::StaticCentre, IDC_LOSS_NO_DATA, kLossImpossible, 7, 120, 330, 20)),
         control(ItemKind::GroupBox, IDC_LOSS_SHOW_GROUP, "Show", x, 4, 88, 64),
         control(ItemKind::RadioButton, IDC_LOSS_RESISTANCE, "Resistance", x + 7, 15, 62, 10),
         control(ItemKind::BitmapButton, IDC_LOSS_SWATCH_RESISTANCE, {}, swatch, 16, 8, 8),
         control(ItemKind::RadioButton, IDC_LOSS_ATTENUATION, "Attenuation", x + 7, 27, 62, 10),
         control(ItemKind::BitmapButton, IDC_LOSS_SWATCH_ATTENUATION, {}, swatch, 28, 8, 8),
         control(ItemKind::AutoCheckBox, IDC_LOSS_SHOW_RESISTIVE, "Resistive", x + 15, 40, 54, 10),
         control(ItemKind::BitmapButton, IDC_LOSS_SWATCH_RESISTIVE, {}, swatch, 41, 8, 8),
         control(ItemKind::AutoCheckBox, IDC_LOSS_SHOW_DIELECTRIC, "Dielectric", x + 15, 52, 54, 10),
         control(ItemKind::BitmapButton, IDC_LOSS_SWATCH_DIELECTRIC, {}, swatch, 53, 8, 8),
         control(ItemKind::GroupBox, IDC_LOSS_RANGE_GROUP, "Frequency (MHz)", x, 72, 88, 46),
         control(ItemKind::StaticLeft, IDC_LOSS_MIN_LABEL, "Mi&n:", x + 7, 86, 20, 8),
         control(ItemKind::Edit, IDC_LOSS_MIN, {}, x + 30, 84, 51, 12),
         control(ItemKind::StaticLeft, IDC_LOSS_MAX_LABEL, "Ma&x:", x + 7, 101, 20, 8),
         control(ItemKind::Edit, IDC_LOSS_MAX, {}, x + 30, 99, 51, 12),
         control(ItemKind::AutoCheckBox, IDC_LOSS_LOG_X, "Log scale for X axis", x, 124, 88, 10),
         control(ItemKind::AutoCheckBox, IDC_LOSS_LOG_Y, "Log scale for Y axis", x, 137, 88, 10),
         control(ItemKind::StaticLeft, IDC_LOSS_CROSSING_LABEL, "Dielectric loss dominates at:", x, 154, 88, 17),
         control(ItemKind::ReadOnlyEdit, IDC_LOSS_CROSSING, {}, x, 172, 88, 12),
         control(ItemKind::PushButton, IDC_GRAPH_COPY, "Copy", x, 213, 88, 14),
         control(ItemKind::PushButton, IDC_GRAPH_PRINT, "Print...", x, 231, 88, 14),
         control(ItemKind::PushButton, IDCANCEL, "Close", x, 249, 88, 14)});
}

MenuItem command(uint32_t id, std::string_view text) { return MenuItem{id, std::string(text), {}}; }

} // namespace

const MenuItem& chartPopupMenu()
{
    static const MenuItem menu{0,
                               "Chart Control Popup",
                               {command(ID_CHART_FIT, "&Fit to window"), MenuItem{},
                                command(ID_CHART_ZOOM, "&Zooming"), command(ID_CHART_PAN, "&Panning"),
                                command(ID_CHART_TRACK, "&Track Cursor"), MenuItem{},
                                command(ID_CHART_COPY, "&Copy\tCtrl+C"),
                                command(ID_CHART_COPY_INVERTED, "Copy &inverted"), MenuItem{},
                                command(ID_CHART_PRINT, "&Print...")}};
    return menu;
}

std::vector<DialogTemplate> chartDialogTemplates() { return {lossCurveTemplate(), z0CurveTemplate()}; }

} // namespace lm::res
