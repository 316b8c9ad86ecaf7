#pragma once
// Geometry of the editor window, in pixels and without a toolkit: fitting a
// stored placement onto the desktop, the first pane's size, and where the tool
// bar, the tab control, the buttons and the check box go as the window resizes.
#include "platform/Geometry.h"

#include <cstdint>

namespace lm {

namespace res {
struct DialogTemplate;
}
struct WindowPlacement;

// A font's dialog base units: its average character width and its height.
struct BaseUnits {
    int32_t charWidth = 0;
    int32_t charHeight = 0;
};

// A template rectangle (dialog units) in pixels: x * w / 4, y * h / 8, and the far
// edges from (x + cx) and (y + cy), so that neighbours meet without gaps.
Rect dialogUnitsToPixels(int32_t x, int32_t y, int32_t cx, int32_t cy, BaseUnits units);

Rect placementRect(const WindowPlacement& placement);
// A placement counts as stored when it has an extent both ways.
bool isPlacementStored(const Rect& placement);
// Moves the placement back onto the work area by its overhang right and below,
// clamps right and bottom to the work area and raises a negative left or top to 0.
Rect fitIntoWorkArea(Rect placement, const Rect& workArea);

// The grid pane's share when none is known: 6/10 of the width side by side,
// half the height stacked.
int32_t defaultFirstPaneSize(bool sideBySide, Size tabClient);
// The stored size when it is at least 1, else the default.
int32_t firstPaneSizeAtOpening(int32_t storedSize, bool sideBySide, Size tabClient);

// The window's size when no placement was stored: the template's size, grown in
// proportion until the grid pane holds `gridWidth` pixels (the tab's columns
// side by side), and never larger than the work area.
Size firstRunWindowSize(Size templateWindow, int32_t tabClientWidth, int32_t gridWidth, const Rect& workArea);

// Where the editor window's parts go for one client size.
struct EditorWindowRects {
    Rect toolBar;
    Rect tabControl;
    Rect ok, cancel, help, keepInSync;
    bool keepInSyncShown = false;
};

// What the window measures once from its template positions: the tab control's
// margins, and how far the buttons sit from the right and bottom edges and the
// check box from the left and bottom edges. Every later layout keeps them.
class EditorWindowLayout {
public:
    EditorWindowLayout(const Rect& client, const Rect& tabControl, const Rect& ok, const Rect& cancel, const Rect& help,
                       const Rect& keepInSync);
    // The same, with the positions the editor template gives its controls.
    static EditorWindowLayout fromTemplate(const res::DialogTemplate& editorTemplate, BaseUnits units);

    // The window cannot shrink below the buttons beside the tab margins (with the
    // check box shown, below the check box and the buttons side by side), nor
    // below the tool bar, the margins and twelve rows of tab items.
    Size minimumTrackingSize(int32_t tabItemHeight, int32_t toolBarBottom, uint32_t caps) const;
    // The check box shows only when the host's capability bits offer it.
    EditorWindowRects arrange(const Rect& client, int32_t toolBarHeight, uint32_t caps) const;

private:
    // A control kept at a fixed distance from one side and the bottom of the client area.
    struct Anchor {
        int32_t fromSide = 0;   // from the right edge to its left (buttons), or from the left edge (check box)
        int32_t fromBottom = 0; // from the bottom edge to its top
        Size size;
    };
    static Anchor fromRight(const Rect& client, const Rect& control);
    static Rect placeFromRight(const Rect& client, const Anchor& anchor);

    int32_t left_, top_, right_, bottom_;
    Anchor ok_, cancel_, help_, keepInSync_;
};

} // namespace lm
