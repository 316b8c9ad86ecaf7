#pragma once
// A layer grid and panes that record what the tab code asks of them.
#include "ui/TabControl.h"

#include <map>
#include <string>
#include <vector>

namespace lm::test {

struct RecordingTabGrid : TabGrid {
    std::map<int32_t, int32_t> pixelWidths; // by column id; 0 for the others
    int32_t shownTab = -1;
    std::vector<LMGRIDCOLDESCR> shownColumns;
    bool shownWidthsKnown = false;

    int32_t averageCharWidth() const override { return 7; }
    int32_t columnPixelWidth(int32_t id) const override { return pixelWidths.contains(id) ? pixelWidths.at(id) : 0; }
    void showTab(int32_t tabId, std::span<const LMGRIDCOLDESCR> columns, bool widthsKnown) override
    {
        shownTab = tabId;
        shownColumns.assign(columns.begin(), columns.end());
        shownWidthsKnown = widthsKnown;
    }
};

struct RecordingTabPanes : TabPanes {
    std::vector<std::string> calls;
    void showPictureForTab(int32_t tabId) override { calls.push_back("picture tab " + std::to_string(tabId)); }
    void setGridPropertyBar(int32_t templateId) override { calls.push_back("bar " + std::to_string(templateId)); }
    void updatePicturePane() override { calls.push_back("update picture"); }
};

} // namespace lm::test
