#pragma once
// The splitter between the grid pane and the picture pane: its orientation,
// the proportional resizing of the first pane, and the two View > Split
// commands. The Qt splitter widget asks this model and applies its answers.
#include "ui/WindowLayout.h"

#include <cstdint>
#include <optional>

namespace lm {

struct SplitCommandState {
    bool enabled = false;
    bool checked = false;
};

class SplitterModel {
public:
    // sideBySide: the orientation the panes are created with ("VSplit").
    explicit SplitterModel(bool sideBySide = true) : vertical_(sideBySide) {}

    // True: panes side by side, grid on the left; false: stacked, grid on top.
    bool vertical() const { return vertical_; }
    int32_t trackedTotal() const { return trackedTotal_; }
    int32_t trackedPane() const { return trackedPane_; }

    // At every layout of the editor window, with the splitter's client size and
    // the first pane's size now: the first time it records both, afterwards it
    // answers the first pane's size at the fraction last recorded.
    int32_t layout(Size client, int32_t firstPane);
    // The user let go of the splitter bar: its position becomes the fraction kept.
    void dragEnded(Size client, int32_t firstPane);

    // View > Split > Vertical (side by side) or Horizontal (stacked): nothing when
    // side by side is chosen while side by side; otherwise the panes are to be
    // created anew with the size answered, and tracking starts afresh.
    std::optional<int32_t> chooseOrientation(bool sideBySide, Size tabClient);

    // Vertical (32775) is offered while stacked and checked while side by side;
    // Horizontal (32776) the reverse. Other ids: disabled, unchecked.
    SplitCommandState commandState(uint32_t commandId) const;

private:
    int32_t totalOf(Size client) const { return vertical_ ? client.width : client.height; }

    bool vertical_;
    int32_t trackedTotal_ = 0; // 0 until the first recording
    int32_t trackedPane_ = 0;
};

} // namespace lm
