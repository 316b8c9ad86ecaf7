#include "ui/PropertyBarLayout.h"

#include <algorithm>
#include <string>

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

namespace {

// A label's text as shown: a single "&" marks the mnemonic and takes no room.
std::string shownLabelText(std::string_view text)
{
    std::string shown;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size())
            ++i;
        shown += text[i];
    }
    return shown;
}

bool sameRow(const Rect& a, const Rect& b) { return a.top < b.bottom && b.top < a.bottom; }

// Dialog units round down to pixels, so a label sized for its text in one font
// can come out a pixel short in another and wrap. A left-aligned label grows to
// the right, a right-aligned one to the left, up to its neighbour on the row.
void widenLabelsToTheirText(std::vector<PlacedControl>& controls, int32_t paneWidth, const TextWidthFunction& textWidth)
{
    for (PlacedControl& label : controls) {
        const res::ItemKind kind = label.item->kind;
        if (kind != res::ItemKind::StaticLeft && kind != res::ItemKind::StaticRight)
            continue;
        const int32_t wanted = textWidth(shownLabelText(label.item->text));
        if (wanted <= label.rect.width())
            continue;
        const bool left = kind == res::ItemKind::StaticLeft;
        int32_t limit = left ? paneWidth : 0;
        for (const PlacedControl& other : controls) {
            if (&other == &label || !other.item->visible || !sameRow(other.rect, label.rect))
                continue;
            if (left && other.rect.left >= label.rect.right)
                limit = std::min(limit, other.rect.left - 1);
            else if (!left && other.rect.right <= label.rect.left)
                limit = std::max(limit, other.rect.right + 1);
        }
        if (left)
            label.rect.right = std::max(label.rect.right, std::min(label.rect.left + wanted, limit));
        else
            label.rect.left = std::min(label.rect.left, std::max(label.rect.right - wanted, limit));
    }
}

} // namespace

PaneLayout layoutPane(const res::DialogTemplate& bar, Size pane, BaseUnits units, const TextWidthFunction& textWidth)
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
    if (textWidth)
        widenLabelsToTheirText(layout.controls, pane.width, textWidth);
    return layout;
}

} // namespace lm
