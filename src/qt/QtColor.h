#pragma once
// The core's colours are 0x00BBGGRR, red in the low byte.
#include <QColor>

#include <cstdint>

namespace lm::qt {

inline QColor colorOf(uint32_t bgr)
{
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF), static_cast<int>((bgr >> 16) & 0xFF));
}

inline uint32_t bgrOf(const QColor& colour)
{
    return static_cast<uint32_t>(colour.red()) | static_cast<uint32_t>(colour.green()) << 8 |
           static_cast<uint32_t>(colour.blue()) << 16;
}

} // namespace lm::qt
