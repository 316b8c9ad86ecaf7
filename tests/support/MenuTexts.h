#pragma once
// The texts of a menu's items in order, "-" for a separator.
#include "res/Menus.h"

#include <string>
#include <vector>

inline std::vector<std::string> menuTexts(const std::vector<lm::MenuItem>& items)
{
    std::vector<std::string> result;
    for (const lm::MenuItem& item : items)
        result.push_back(item.isSeparator() ? "-" : item.text);
    return result;
}
