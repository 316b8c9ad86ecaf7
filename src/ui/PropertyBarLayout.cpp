#include "ui/PropertyBarLayout.h"

#include <algorithm>

namespace lm {

int32_t averageCharWidth(const TextWidthFunction& textWidth)
{
    return (textWidth("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") / 26 + 1) / 2;
}

BaseUnits measureBaseUnits(const TextWidthFunction& textWidth, int32_t charHeight)
{
    return {averageCharWidth(textWidth), charHeight};
}

const res::DialogTemplate& propertyBarTemplate(int32_t templateId)
{
    static const res::DialogTemplate empty;
    if (templateId < 0)
        return empty;
    const res::DialogTemplate* found = res::findDialogTemplate(static_cast<uint32_t>(templateId));
    return found ? *found : empty;
}

PaneLayout layoutPane(const res::DialogTemplate& bar, Size pane, BaseUnits units)
{
    PaneLayout layout;
    const int32_t barHeight = dialogUnitsToPixels(0, 0, 0, bar.height, units).bottom;
    const int32_t barTop = pane.height - barHeight;
    layout.bar = {0, barTop, pane.width, pane.height};
    // One pixel row is left for the line the pane draws along the bar's top edge.
    layout.view = {0, 0, pane.width, std::max(0, barTop - 1)};
    for (const res::TemplateItem& item : bar.items) {
        Rect rect = dialogUnitsToPixels(item.x, item.y, item.cx, item.cy, units);
        rect.top += barTop;
        rect.bottom += barTop;
        layout.controls.push_back({&item, rect});
        if (item.kind == res::ItemKind::GroupBox)
            layout.groupBoxes.push_back(rect);
    }
    return layout;
}

} // namespace lm
