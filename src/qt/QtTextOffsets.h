#pragma once
// Carets and selections: the core counts UTF-8 bytes, a line edit UTF-16 units.
#include <QString>

#include <algorithm>
#include <string>

namespace lm::qt {

inline int32_t bytesBefore(const QString& text, int caret)
{
    return static_cast<int32_t>(text.left(caret).toUtf8().size());
}

inline int charsBefore(const std::string& text, int32_t caret)
{
    const std::size_t bytes = std::clamp<std::size_t>(static_cast<std::size_t>(std::max(caret, 0)), 0, text.size());
    return static_cast<int>(QString::fromUtf8(text.data(), static_cast<qsizetype>(bytes)).size());
}

} // namespace lm::qt
