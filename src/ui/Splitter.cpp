#include "ui/Splitter.h"

#include "res/CommandIds.h"

namespace lm {

int32_t SplitterModel::layout(Size client, int32_t firstPane)
{
    const int32_t total = totalOf(client);
    if (trackedTotal_ == 0) {
        trackedTotal_ = total;
        trackedPane_ = firstPane;
        return firstPane;
    }
    // Always scaled from the recording, never from the last result, so that
    // repeated resizing does not drift.
    return static_cast<int32_t>(int64_t{trackedPane_} * total / trackedTotal_);
}

void SplitterModel::dragEnded(Size client, int32_t firstPane)
{
    trackedTotal_ = totalOf(client);
    trackedPane_ = firstPane;
}

std::optional<int32_t> SplitterModel::chooseOrientation(bool sideBySide, Size tabClient)
{
    if (sideBySide && vertical_)
        return std::nullopt;
    // Stacked while stacked re-creates the panes at half height on purpose.
    vertical_ = sideBySide;
    trackedTotal_ = 0;
    trackedPane_ = 0;
    return defaultFirstPaneSize(sideBySide, tabClient);
}

SplitCommandState SplitterModel::commandState(uint32_t commandId) const
{
    switch (commandId) {
    case res::ID_SPLIT_VERTICAL: return {!vertical_, vertical_};
    case res::ID_SPLIT_HORIZONTAL: return {vertical_, !vertical_};
    default: return {};
    }
}

} // namespace lm
