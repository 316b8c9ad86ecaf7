#pragma once
// A format of the string table filled in like printf: the one place where the
// texts of labels, reports and documentation get their values.
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace lm {

template <typename... Args>
std::string formatText(std::string_view format, Args... args)
{
    const std::string pattern(format);
    const int length = std::snprintf(nullptr, 0, pattern.c_str(), args...);
    if (length <= 0)
        return {};
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
    std::snprintf(buffer.data(), buffer.size(), pattern.c_str(), args...);
    return std::string(buffer.data(), static_cast<std::size_t>(length));
}

} // namespace lm
