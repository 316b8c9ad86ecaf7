#pragma once
// Units and the text of values: stored values are SI, shown values are
// converted and rounded only here, at the edge where text is shown or read.
#include <laminar/laminar.h>

#include <string>
#include <string_view>

namespace lm {

enum ThicknessMode : int32_t { kThicknessAsLength = 0, kThicknessAsWeight = 1 };

// Rounds to n decimal places; an exact half goes down (1.25 -> 1.2, -1.25 -> -1.3).
// A count whose power of ten overflows a double leaves x as it is.
double roundToDigits(double x, int32_t digits);

// The one unit a new instance holds: "Metric", um, gram.
LMUNIT metricUnit();
// Bounded reads of the unit's texts (a host's may lack the terminator).
std::string_view unitName(const LMUNIT& unit);
std::string_view lengthUnitText(const LMUNIT& unit);
std::string_view weightUnitText(const LMUNIT& unit);

double lengthShown(double metres, const LMUNIT& unit);
double lengthStored(double shown, const LMUNIT& unit);
// A metal thickness in weight mode is a weight; everything else a length.
double thicknessShown(const LMLAYEREX& layer, const LMUNIT& unit, int32_t thicknessMode);
double thicknessStored(double shown, const LMLAYEREX& layer, const LMUNIT& unit, int32_t thicknessMode);

// Unit text of a column header or a printed value; empty for unit-less columns.
std::string columnUnitText(int32_t columnId, const LMUNIT& unit, int32_t thicknessMode);

// The user's decimal separator (from the C library's current locale).
char userDecimalPoint();
// "%.13g" with the user's decimal separator: the text a grid cell shows.
std::string formatCellValue(double value, char decimalPoint);
// Reads like atof: leading blanks, sign, digits, the decimal point, exponent; stops at
// the first character that cannot continue the number; 0 when none starts.
double readNumber(std::string_view text, char decimalPoint);
// Digits, the first decimal point before an exponent mark, one exponent mark and one
// '-' right behind it; everything else dropped.
std::string cleanNumberText(std::string_view text, char decimalPoint);
bool isCleanForm(std::string_view text, char decimalPoint);

} // namespace lm
