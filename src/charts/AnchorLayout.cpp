#include "charts/AnchorLayout.h"

namespace lm {
namespace {

// One direction: [low, high) in a span of `recorded`, moved into a span of `now`.
std::pair<int32_t, int32_t> follow(int32_t low, int32_t high, int32_t recorded, int32_t now, bool first, bool second)
{
    const int32_t delta = now - recorded;
    if (first && second)
        return {low, high + delta};
    if (second)
        return {low + delta, high + delta};
    return {low, high};
}

} // namespace

void AnchorLayout::add(uint32_t controlId, const Rect& rect, uint8_t anchors)
{
    entries_.push_back({controlId, rect, anchors});
}

std::vector<std::pair<uint32_t, Rect>> AnchorLayout::layoutFor(Size client) const
{
    std::vector<std::pair<uint32_t, Rect>> placed;
    placed.reserve(entries_.size());
    for (const Entry& e : entries_) {
        const auto [left, right] = follow(e.rect.left, e.rect.right, client_.width, client.width,
                                          (e.anchors & kAnchorLeft) != 0, (e.anchors & kAnchorRight) != 0);
        const auto [top, bottom] = follow(e.rect.top, e.rect.bottom, client_.height, client.height,
                                          (e.anchors & kAnchorTop) != 0, (e.anchors & kAnchorBottom) != 0);
        placed.emplace_back(e.id, Rect{left, top, right, bottom});
    }
    return placed;
}

Rect AnchorLayout::recorded(uint32_t controlId) const
{
    for (const Entry& e : entries_)
        if (e.id == controlId)
            return e.rect;
    return {};
}

} // namespace lm
