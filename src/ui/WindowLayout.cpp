#include "ui/WindowLayout.h"

#include "document/EditSettings.h"
#include "res/CommandIds.h"
#include "res/DialogTemplates.h"

#include <algorithm>

namespace lm {

Rect dialogUnitsToPixels(int32_t x, int32_t y, int32_t cx, int32_t cy, BaseUnits units)
{
    // 64-bit products: template values are small, but the font metrics come from outside.
    const auto across = [&](int64_t v) { return static_cast<int32_t>(v * units.charWidth / 4); };
    const auto down = [&](int64_t v) { return static_cast<int32_t>(v * units.charHeight / 8); };
    return {across(x), down(y), across(int64_t{x} + cx), down(int64_t{y} + cy)};
}

Rect placementRect(const WindowPlacement& placement)
{
    return {placement.left, placement.top, placement.right, placement.bottom};
}

bool isPlacementStored(const Rect& placement)
{
    return placement.right != placement.left && placement.bottom != placement.top;
}

Rect fitIntoWorkArea(Rect placement, const Rect& workArea)
{
    // 64-bit while shifting: stored values come from a profile and may be extreme.
    const int64_t overRight = std::max<int64_t>(0, int64_t{placement.right} - workArea.right);
    const int64_t overBottom = std::max<int64_t>(0, int64_t{placement.bottom} - workArea.bottom);
    placement.left = static_cast<int32_t>(placement.left - overRight);
    placement.right = static_cast<int32_t>(placement.right - overRight);
    placement.top = static_cast<int32_t>(placement.top - overBottom);
    placement.bottom = static_cast<int32_t>(placement.bottom - overBottom);
    placement.right = std::min(placement.right, workArea.right);
    placement.bottom = std::min(placement.bottom, workArea.bottom);
    placement.left = std::max(placement.left, 0);
    placement.top = std::max(placement.top, 0);
    return placement;
}

int32_t defaultFirstPaneSize(bool sideBySide, Size tabClient)
{
    return sideBySide ? static_cast<int32_t>(int64_t{tabClient.width} * 6 / 10) : tabClient.height / 2;
}

int32_t firstPaneSizeAtOpening(int32_t storedSize, bool sideBySide, Size tabClient)
{
    return storedSize >= 1 ? storedSize : defaultFirstPaneSize(sideBySide, tabClient);
}

EditorWindowLayout::EditorWindowLayout(const Rect& client, const Rect& tabControl, const Rect& ok, const Rect& cancel,
                                       const Rect& help, const Rect& keepInSync)
    : left_(tabControl.left - client.left), top_(tabControl.top - client.top), right_(client.right - tabControl.right),
      bottom_(client.bottom - tabControl.bottom), ok_(fromRight(client, ok)), cancel_(fromRight(client, cancel)),
      help_(fromRight(client, help)),
      keepInSync_{keepInSync.left - client.left, client.bottom - keepInSync.top, keepInSync.size()}
{
}

EditorWindowLayout EditorWindowLayout::fromTemplate(const res::DialogTemplate& editorTemplate, BaseUnits units)
{
    const auto rectOf = [&](uint32_t id) {
        const res::TemplateItem* item = editorTemplate.item(id);
        return item ? dialogUnitsToPixels(item->x, item->y, item->cx, item->cy, units) : Rect{};
    };
    const Rect client = dialogUnitsToPixels(0, 0, editorTemplate.width, editorTemplate.height, units);
    return EditorWindowLayout(client, rectOf(res::IDC_TAB_CONTROL), rectOf(res::IDOK), rectOf(res::IDCANCEL),
                              rectOf(res::IDHELP), rectOf(res::IDC_KEEP_IN_SYNC));
}

Size EditorWindowLayout::minimumTrackingSize(int32_t tabItemHeight, int32_t toolBarBottom, uint32_t caps) const
{
    int32_t width = left_ + right_ + ok_.fromSide;
    // A shown check box keeps the tab margin's distance from the OK button.
    if ((caps & kCapKeepInSyncShown) != 0)
        width = std::max(width, keepInSync_.fromSide + keepInSync_.size.width + left_ + ok_.fromSide);
    return {width, top_ + bottom_ + 12 * tabItemHeight + toolBarBottom};
}

Size firstRunWindowSize(Size templateWindow, int32_t tabClientWidth, int32_t gridWidth, const Rect& workArea)
{
    Size size = templateWindow;
    // The grid pane gets 6/10 of the display area; the window grows by what it lacks.
    const int32_t wantedClient = (gridWidth * 10 + 5) / 6;
    if (wantedClient > tabClientWidth && templateWindow.width > 0) {
        size.width = templateWindow.width + wantedClient - tabClientWidth;
        size.height = static_cast<int32_t>(static_cast<int64_t>(templateWindow.height) * size.width / templateWindow.width);
    }
    size.width = std::min(size.width, workArea.width());
    size.height = std::min(size.height, workArea.height());
    return size;
}

EditorWindowRects EditorWindowLayout::arrange(const Rect& client, int32_t toolBarHeight, uint32_t caps) const
{
    EditorWindowRects rects;
    rects.toolBar = {client.left, client.top, client.right, client.top + toolBarHeight};
    rects.tabControl = {client.left + left_, rects.toolBar.bottom + top_, client.right - right_, client.bottom - bottom_};
    rects.ok = placeFromRight(client, ok_);
    rects.cancel = placeFromRight(client, cancel_);
    rects.help = placeFromRight(client, help_);
    const int32_t syncLeft = client.left + keepInSync_.fromSide;
    const int32_t syncTop = client.bottom - keepInSync_.fromBottom;
    rects.keepInSync = {syncLeft, syncTop, syncLeft + keepInSync_.size.width, syncTop + keepInSync_.size.height};
    rects.keepInSyncShown = (caps & kCapKeepInSyncShown) != 0;
    return rects;
}

EditorWindowLayout::Anchor EditorWindowLayout::fromRight(const Rect& client, const Rect& control)
{
    return {client.right - control.left, client.bottom - control.top, control.size()};
}

Rect EditorWindowLayout::placeFromRight(const Rect& client, const Anchor& anchor)
{
    const int32_t left = client.right - anchor.fromSide;
    const int32_t top = client.bottom - anchor.fromBottom;
    return {left, top, left + anchor.size.width, top + anchor.size.height};
}

} // namespace lm
