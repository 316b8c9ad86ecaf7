#include "ui/TabControl.h"

#include "document/EditorDocument.h"

#include <algorithm>
#include <limits>

namespace lm {
namespace {

int32_t clampToInt32(int64_t value)
{
    return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

// Null also for an active index the host's shorter tab list left behind.
CTabDescr* tabAt(CTabDescrArray& tabs, int32_t index)
{
    return index >= 0 && static_cast<std::size_t>(index) < tabs.size() ? &tabs[static_cast<std::size_t>(index)] : nullptr;
}

} // namespace

int32_t columnPixelWidth(int32_t width, int32_t averageCharWidth)
{
    return clampToInt32(int64_t{width} * averageCharWidth / 4);
}

int32_t columnWidthFromPixels(int32_t pixels, int32_t averageCharWidth)
{
    // A font without width would divide by zero; one pixel per character is the least.
    const int64_t perChar = std::max(averageCharWidth, 1);
    const int64_t quarters = int64_t{pixels} * 4;
    const int64_t rounded = quarters >= 0 ? (quarters + perChar / 2) / perChar : (quarters - perChar / 2) / perChar;
    return clampToInt32(rounded);
}

std::vector<std::string> tabControlItems(const CTabDescrArray& tabs)
{
    std::vector<std::string> names;
    for (const CTabDescr& tab : tabs)
        if (tab.visible())
            names.emplace_back(tabName(tab.id()));
    return names;
}

TabSelection initialTabSelection(const CTabDescrArray& tabs, int32_t activeTab)
{
    const bool anyVisible = std::any_of(tabs.begin(), tabs.end(), [](const CTabDescr& t) { return t.visible(); });
    if (!anyVisible)
        return {};
    const bool activeShown = activeTab >= 0 && static_cast<std::size_t>(activeTab) < tabs.size() &&
                             tabs[static_cast<std::size_t>(activeTab)].visible();
    const int32_t item = activeShown ? tabControlIndexOf(tabs, activeTab) : 0;
    return {item, descriptorOfTabControlIndex(tabs, item)};
}

std::vector<int32_t> columnPixelWidths(std::span<const LMGRIDCOLDESCR> columns, int32_t averageCharWidth)
{
    std::vector<int32_t> pixels;
    pixels.reserve(columns.size());
    for (const LMGRIDCOLDESCR& column : columns)
        pixels.push_back(columnPixelWidth(column.width, averageCharWidth));
    return pixels;
}

void takeColumnWidthsBack(CTabDescr& tab, const TabGrid& grid)
{
    const int32_t perChar = grid.averageCharWidth();
    for (std::size_t i = tab.columns().size(); i-- > 0;) {
        LMGRIDCOLDESCR& column = tab.column(i);
        column.width = columnWidthFromPixels(grid.columnPixelWidth(column.columnId), perChar);
    }
}

void switchTab(EditorDocument& document, int32_t item, TabGrid& grid, TabPanes& panes)
{
    CTabDescrArray& tabs = document.tabs;
    const int32_t selected = descriptorOfTabControlIndex(tabs, item); // first, so a bad item changes nothing
    if (CTabDescr* left = tabAt(tabs, document.activeTab)) {
        takeColumnWidthsBack(*left, grid);
        left->setWidthsKnown(true);
    }
    document.activeTab = selected;
    const CTabDescr& tab = tabs[static_cast<std::size_t>(selected)];
    grid.showTab(tab.id(), tab.columns(), tab.widthsKnown());
    panes.showPictureForTab(tab.id());
    panes.setGridPropertyBar(tab.propertyBarId());
    panes.updatePicturePane();
}

} // namespace lm
