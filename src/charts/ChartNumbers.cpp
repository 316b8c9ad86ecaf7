#include "charts/ChartNumbers.h"

#include <array>
#include <algorithm>
#include <cmath>
#include <cstdio>

namespace lm {
namespace {

constexpr std::array<PrefixRow, kPrefixRowCount> kPrefixes{{
    {"f", 1e-15}, {"p", 1e-12}, {"n", 1e-9}, {"u", 1e-6}, {"m", 1e-3}, {"", 1}, {"k", 1e3},
    {"M", 1e6}, {"G", 1e9}, {"T", 1e12}, {"P", 1e15}, {"E", 1e18}, {"Z", 1e21}, {"Y", 1e24},
}};

bool shortFormFits(const PrefixRow& row) { return row.scale >= 1e-12 && row.scale <= 1e12; }

std::string text(std::string_view view) { return std::string(view); }

} // namespace

const PrefixRow& prefixRow(int32_t row) { return kPrefixes.at(static_cast<std::size_t>(row)); }

int32_t prefixRowFor(double value)
{
    const double magnitude = std::abs(value);
    if (magnitude == 0 || std::isnan(magnitude))
        return kNoPrefixRow;
    for (int32_t i = 0; i + 1 < kPrefixRowCount; ++i)
        if (magnitude <= kPrefixes[static_cast<std::size_t>(i + 1)].scale)
            return i;
    return kPrefixRowCount - 1;
}

int32_t prefixRowFor(double first, double last)
{
    return prefixRowFor(std::max(std::abs(first), std::abs(last)));
}

std::string tickLabel(double value, int32_t row, std::string_view unit)
{
    const PrefixRow& chosen = prefixRow(row);
    const std::string u = text(unit);
    if (shortFormFits(chosen)) {
        // The unit may hold an "e" of its own: only the number decides.
        const std::string number = printfText("%.4g", value / chosen.scale);
        if (number.find('e') == std::string::npos)
            return " " + number + text(chosen.prefix) + u + " ";
    }
    return printfText(" %.2e%s ", value, u.c_str());
}

std::string readoutValue(double value, std::string_view unit, bool prefixes)
{
    const PrefixRow& chosen = prefixRow(prefixes ? prefixRowFor(value) : kNoPrefixRow);
    const std::string u = text(unit);
    if (!shortFormFits(chosen))
        return printfText("%.3e%s", value, u.c_str());
    return printfText("%.5g%s%s", value / chosen.scale, text(chosen.prefix).c_str(), u.c_str());
}

std::string readoutText(double x, std::string_view xUnit, double y, std::string_view yUnit, bool prefixes)
{
    return readoutValue(x, xUnit, prefixes) + " ," + readoutValue(y, yUnit, prefixes);
}

} // namespace lm
