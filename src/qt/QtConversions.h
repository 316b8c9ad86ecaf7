#pragma once
// The core's texts and rectangles as Qt's: texts are UTF-8 throughout the core.
#include "platform/Geometry.h"

#include <QRect>
#include <QString>

#include <string_view>

namespace lm::qt {

inline QString toQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline QRect toQRect(const Rect& rect) { return QRect(rect.left, rect.top, rect.width(), rect.height()); }

} // namespace lm::qt
