#include "model/ImpedanceText.h"

#include "model/Units.h"
#include "res/Strings.h"

#include <algorithm>
#include <cstdio>

namespace lm {

std::optional<std::string> calculatorPlaceholder(double value, bool haveCalculator)
{
    if (!haveCalculator)
        return std::string(res::loadString(res::IDS_VALUE_NOT_AVAILABLE));
    if (value == 0.0)
        return std::string(res::loadString(res::IDS_VALUE_ERROR));
    return std::nullopt;
}

std::string impedanceText(double ohms, bool haveCalculator, char decimalPoint)
{
    if (std::optional<std::string> placeholder = calculatorPlaceholder(ohms, haveCalculator))
        return *placeholder;
    char text[32];
    std::snprintf(text, sizeof(text), "%g", roundToDigits(ohms, 1));
    std::string shown(text);
    std::replace(shown.begin(), shown.end(), '.', decimalPoint);
    return shown;
}

} // namespace lm
