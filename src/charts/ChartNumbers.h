#pragma once
// Values written with engineering prefixes: the prefix row of a value, the
// tick labels of an axis and the parts of the chart's readout.
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace lm {

// printf-style text of any length (the chart's labels, the dialogs' titles).
template <typename... Args>
std::string printfText(std::string_view pattern, Args... args)
{
    const std::string format(pattern);
    const int length = std::snprintf(nullptr, 0, format.c_str(), args...);
    std::string text(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    std::snprintf(text.data(), text.size() + 1, format.c_str(), args...);
    return text;
}

struct PrefixRow {
    std::string_view prefix;
    double scale = 1;
};

// 14 rows from "f" (1e-15) to "Y" (1e24); row 5 is "" (1).
inline constexpr int32_t kPrefixRowCount = 14;
inline constexpr int32_t kNoPrefixRow = 5;
const PrefixRow& prefixRow(int32_t row);

// The row for a magnitude: the first whose next row's scale is at least it, so
// mantissas lie in (1, 1000] and 1 shows as 1000m; 0 takes "", above 1e24 "Y".
int32_t prefixRowFor(double value);
// One row for a whole axis, from the larger magnitude of its two ends.
int32_t prefixRowFor(double first, double last);

// " %.4g%s%s " of the value in the row's prefix, or " %.2e%s " when the row
// lies outside [1e-12, 1e12] or the short form needs an exponent.
std::string tickLabel(double value, int32_t row, std::string_view unit);
// One value of the readout in its own row: "%.5g%s%s", or "%.3e%s" when the
// row lies outside [1e-12, 1e12]; `prefixes` off uses the row "".
std::string readoutValue(double value, std::string_view unit, bool prefixes);
// "x ,y" as the chart writes it under the plot.
std::string readoutText(double x, std::string_view xUnit, double y, std::string_view yUnit, bool prefixes);

} // namespace lm
