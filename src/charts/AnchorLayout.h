#pragma once
// Controls that follow a resized dialog: each keeps its distances to the
// client edges it is anchored to. Anchored left and right it stretches;
// anchored right only it moves with the right edge, keeping its width; the
// same for top and bottom. The graph dialogs lay out their chart and buttons so.
#include "platform/Geometry.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace lm {

enum AnchorSide : uint8_t { kAnchorLeft = 0x1, kAnchorRight = 0x2, kAnchorTop = 0x4, kAnchorBottom = 0x8 };
inline constexpr uint8_t kAnchorAll = kAnchorLeft | kAnchorRight | kAnchorTop | kAnchorBottom;
inline constexpr uint8_t kAnchorBottomRight = kAnchorRight | kAnchorBottom;
inline constexpr uint8_t kAnchorTopRight = kAnchorRight | kAnchorTop;

class AnchorLayout {
public:
    // Distances are taken against the client area as it is now.
    explicit AnchorLayout(Size client) : client_(client) {}
    void add(uint32_t controlId, const Rect& rect, uint8_t anchors);
    // Every control's rectangle in a client area of that size, in the order added.
    std::vector<std::pair<uint32_t, Rect>> layoutFor(Size client) const;
    Size recordedClient() const { return client_; }
    // The rectangle a control was recorded with; an unknown id gives an empty one.
    Rect recorded(uint32_t controlId) const;

private:
    struct Entry {
        uint32_t id;
        Rect rect;
        uint8_t anchors;
    };
    Size client_;
    std::vector<Entry> entries_;
};

} // namespace lm
