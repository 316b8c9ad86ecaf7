#pragma once
// The upper pane: the layer grid over the grid property bar (template 1013 at
// first). It implements the tab switch's side of the grid through the core's
// layer grid, and sets up and reacts to its bar controls through the core's
// grid bar states.
#include "qt/QtPane.h"
#include "ui/PropertyBarState.h"
#include "ui/TabControl.h"

namespace lm {
class LayerGrid;
class Platform;
}

namespace lm::qt {

class QtGridView;

class QtGridPane : public QtPane, public lm::TabGrid {
    Q_OBJECT

public:
    // `platform` beeps for a refused keystroke in the Er frequency field; the
    // editor window passes its own platform so there is one for the window.
    // The pane shows `grid`, which outlives it (panes come and go with the split).
    QtGridPane(EditorInstance& instance, Platform& platform, LayerGrid& grid, QWidget* parent);

    QtGridView* gridView() const { return grid_; }

    // --- TabGrid
    int32_t averageCharWidth() const override;
    int32_t columnPixelWidth(int32_t columnId) const override;
    void showTab(int32_t tabId, std::span<const LMGRIDCOLDESCR> columns, bool widthsKnown) override;

    // The view shows the cells as they are; redrawing also refreshes the unit list.
    void redrawView() override;

protected:
    void handleBarCommand(uint32_t id, uint32_t code) override;
    void barCreated() override;

private:
    void applyControlStates(const ControlStates& states);
    char decimalPoint() const;

    Platform& platform_;
    LayerGrid& layers_;
    QtGridView* grid_ = nullptr;
};

} // namespace lm::qt
