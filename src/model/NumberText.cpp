// Number text as the user types and reads it. Nothing here consults the global C
// locale except userDecimalPoint(): the decimal separator is always passed in.
#include "model/Units.h"

#include <algorithm>
#include <charconv>
#include <clocale>
#include <cstdint>
#include <limits>
#include <string>

namespace lm {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isExponentMark(char c) { return c == 'e' || c == 'E'; }
// The blanks strtod skips in the C locale.
bool isBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// A number taken apart as strtod would scan it, rebuilt in the C form from_chars reads.
struct ScannedNumber {
    bool negative = false;
    std::string text;          // digits, '.', 'e', exponent sign and digits
    int64_t leadingOrder = 0;  // power of ten of the first non-zero digit, exponent left out
    int64_t exponent = 0;      // saturated: its size only matters to tell overflow from underflow
    bool hasNonZeroDigit = false;
};

bool scanNumber(std::string_view in, char decimalPoint, ScannedNumber& number)
{
    std::size_t pos = 0;
    while (pos < in.size() && isBlank(in[pos]))
        ++pos;
    if (pos < in.size() && (in[pos] == '+' || in[pos] == '-'))
        number.negative = in[pos++] == '-';

    int64_t integerDigits = 0;  // counted from the first non-zero digit
    int64_t fractionZeros = 0;  // zeros after the point before the first non-zero digit
    bool anyDigit = false;
    for (; pos < in.size() && isDigit(in[pos]); ++pos) {
        anyDigit = true;
        number.hasNonZeroDigit |= in[pos] != '0';
        integerDigits += number.hasNonZeroDigit ? 1 : 0;
        number.text += in[pos];
    }
    if (pos < in.size() && in[pos] == decimalPoint) {
        ++pos;
        number.text += '.';
        for (; pos < in.size() && isDigit(in[pos]); ++pos) {
            anyDigit = true;
            if (!number.hasNonZeroDigit && in[pos] == '0')
                ++fractionZeros;
            number.hasNonZeroDigit |= in[pos] != '0';
            number.text += in[pos];
        }
    }
    if (!anyDigit)
        return false;
    number.leadingOrder = integerDigits > 0 ? integerDigits - 1 : -(fractionZeros + 1);

    // An exponent counts only when at least one digit follows the mark and its sign.
    if (pos < in.size() && isExponentMark(in[pos])) {
        std::size_t digitsAt = pos + 1;
        const bool negativeExponent = digitsAt < in.size() && in[digitsAt] == '-';
        if (digitsAt < in.size() && (in[digitsAt] == '+' || in[digitsAt] == '-'))
            ++digitsAt;
        if (digitsAt < in.size() && isDigit(in[digitsAt])) {
            number.text += negativeExponent ? "e-" : "e";
            constexpr int64_t kSaturated = 1'000'000'000;
            for (pos = digitsAt; pos < in.size() && isDigit(in[pos]); ++pos) {
                number.text += in[pos];
                number.exponent = std::min(kSaturated, number.exponent * 10 + (in[pos] - '0'));
            }
            if (negativeExponent)
                number.exponent = -number.exponent;
        }
    }
    return true;
}

} // namespace

char userDecimalPoint()
{
    const std::lconv* conventions = std::localeconv();
    if (conventions && conventions->decimal_point && conventions->decimal_point[0] != '\0')
        return conventions->decimal_point[0];
    return '.';
}

std::string formatCellValue(double value, char decimalPoint)
{
    // to_chars with a precision formats as "%.13g" does in the C locale.
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof(buffer), value, std::chars_format::general, 13);
    std::string text(buffer, result.ptr);
    std::replace(text.begin(), text.end(), '.', decimalPoint);
    return text;
}

double readNumber(std::string_view text, char decimalPoint)
{
    ScannedNumber number;
    if (!scanNumber(text, decimalPoint, number))
        return 0.0;
    double value = 0.0;
    const char* begin = number.text.data();
    const auto result = std::from_chars(begin, begin + number.text.size(), value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        // As strtod: too large gives infinity, too small gives zero.
        const bool overflow = number.hasNonZeroDigit && number.leadingOrder + number.exponent > 0;
        value = overflow ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (result.ec != std::errc()) {
        value = 0.0;
    }
    return number.negative ? -value : value;
}

std::string cleanNumberText(std::string_view text, char decimalPoint)
{
    std::string cleaned;
    bool decimalPointKept = false;
    std::size_t exponentMarkAt = std::string::npos; // position in the cleaned copy
    for (char c : text) {
        if (isDigit(c)) {
            cleaned += c;
        } else if (exponentMarkAt == std::string::npos) {
            if (c == decimalPoint && !decimalPointKept) {
                decimalPointKept = true;
                cleaned += c;
            } else if (isExponentMark(c)) {
                exponentMarkAt = cleaned.size();
                cleaned += c;
            }
        } else if (c == '-' && cleaned.size() == exponentMarkAt + 1) {
            cleaned += c;
        }
    }
    return cleaned;
}

bool isCleanForm(std::string_view text, char decimalPoint)
{
    return cleanNumberText(text, decimalPoint) == text;
}

} // namespace lm
