#pragma once
// The editor window's tab control: its items, the initial selection, and the
// switch from one tab to another, which takes the column widths back from the
// grid, puts the new tab's columns on it and tells the panes.
#include "document/TabDescr.h"

#include <span>
#include <string>
#include <vector>

namespace lm {

struct EditorDocument;

// A width in quarters of the grid font's average character width, in pixels
// (integer division) and back (rounded to the nearest quarter).
int32_t columnPixelWidth(int32_t width, int32_t averageCharWidth);
int32_t columnWidthFromPixels(int32_t pixels, int32_t averageCharWidth);

// What the tab switch asks of the layer grid.
class TabGrid {
public:
    virtual ~TabGrid() = default;
    virtual int32_t averageCharWidth() const = 0;
    // Pixel width of the grid column showing that column id.
    virtual int32_t columnPixelWidth(int32_t columnId) const = 0;
    // Shows these columns in this order at these widths; the rest are hidden.
    virtual void showTab(int32_t tabId, std::span<const LMGRIDCOLDESCR> columns, bool widthsKnown) = 0;
};

// What the tab switch asks of the panes.
class TabPanes {
public:
    virtual ~TabPanes() = default;
    // The picture labels its layers for that tab and redraws.
    virtual void showPictureForTab(int32_t tabId) = 0;
    virtual void setGridPropertyBar(int32_t templateId) = 0;
    virtual void updatePicturePane() = 0;
};

// Names of the visible tabs, in order.
std::vector<std::string> tabControlItems(const CTabDescrArray& tabs);

struct TabSelection {
    int32_t item = -1;       // tab control item selected, -1 with no items
    int32_t descriptor = -1; // the active tab it shows
};
// The item showing the active tab; when the active tab is unknown, out of range
// or invisible, the first item (as a new tab control selects it).
TabSelection initialTabSelection(const CTabDescrArray& tabs, int32_t activeTab);

// Pixel widths of a tab's columns as the grid gets them.
std::vector<int32_t> columnPixelWidths(std::span<const LMGRIDCOLDESCR> columns, int32_t averageCharWidth);
// Every column's width taken from the grid, last to first; widthsKnown is left alone.
void takeColumnWidthsBack(CTabDescr& tab, const TabGrid& grid);

// The user selected tab control item `item`: the tab left keeps the grid's widths
// (and marks them known), the selected descriptor becomes active and goes on the
// grid, and the panes follow. An item without descriptor is an invalid argument,
// and then nothing changes.
void switchTab(EditorDocument& document, int32_t item, TabGrid& grid, TabPanes& panes);

} // namespace lm
