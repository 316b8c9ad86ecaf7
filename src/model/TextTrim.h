#pragma once
// Blanks and tabs at both ends of a typed or stored text are not part of it.
#include <string_view>

namespace lm {

inline std::string_view trimBlanksAndTabs(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

} // namespace lm
