#pragma once
// The text of one impedance from the host's calculator, as the grid's Z0
// cells and the printed layer report show it.
#include <string>

namespace lm {

// "<N/A>" without a calculator, "<Error>" for the calculator's 0.0, else the
// value rounded to one decimal and written with "%g" (49.96 -> "50"), with
// `decimalPoint` as its separator.
std::string impedanceText(double ohms, bool haveCalculator, char decimalPoint = '.');

} // namespace lm
