#pragma once
// The text of one impedance from the host's calculator, as the grid's Z0
// cells and the printed layer report show it.
#include <optional>
#include <string>

namespace lm {

// "<N/A>" without a calculator, "<Error>" for the calculator's 0.0, else the
// value rounded to one decimal and written with "%g" (49.96 -> "50"), with
// `decimalPoint` as its separator.
std::string impedanceText(double ohms, bool haveCalculator, char decimalPoint = '.');

// The same rule for any answer of the calculator (a solved width, say): "<N/A>"
// without a calculator, "<Error>" for 0.0, nothing when the value is to be shown.
std::optional<std::string> calculatorPlaceholder(double value, bool haveCalculator);

} // namespace lm
