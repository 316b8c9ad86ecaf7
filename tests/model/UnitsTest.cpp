#include "model/Units.h"

#include "model/Catalogues.h"
#include "model/ImpedanceText.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>

using namespace lm;

TEST(Units, RoundingSendsAnExactHalfDown)
{
    // 1.35 is stored slightly above 1.35; -1.25 is a half and goes down, away from zero.
    const struct { double value; int32_t digits; double expected; } cases[] = {
        {1.25, 1, 1.2}, {1.35, 1, 1.4}, {-1.25, 1, -1.3}, {2.5, 0, 2.0}, {2.6, 0, 3.0},
        {0.5, 0, 0.0},  {-0.5, 0, -1.0}, {2.6, -3, 3.0},  {1.5, INT_MAX, 1.5},
    };
    for (const auto& c : cases)
        EXPECT_EQ(roundToDigits(c.value, c.digits), c.expected) << c.value << " to " << c.digits;
}

// Lengths, weights and dielectrics in weight mode are the grid's units tests; here the digits of a unit
// and a custom metal, which weighs as copper.
TEST(Units, LengthsAndThicknessesShownInTheUnit)
{
    LMUNIT unit = metricUnit();
    unit.nLengthDigits = 2;
    EXPECT_DOUBLE_EQ(lengthShown(3.429e-05, unit), 34.29);
    LMLAYEREX custom = defaultLayer(kSignal);
    custom.nMetal = kCustomMetal;
    EXPECT_EQ(thicknessShown(custom, metricUnit(), kThicknessAsWeight), 28.0);
}

TEST(Units, ColumnUnitTexts)
{
    LMUNIT unit = metricUnit();
    EXPECT_EQ((std::vector<std::string>{columnUnitText(kColThickness, unit, kThicknessAsWeight),
                                        columnUnitText(kColGap, unit, kThicknessAsWeight),
                                        columnUnitText(kColTCoef, unit, 0), columnUnitText(kColEr, unit, 0)}),
              (std::vector<std::string>{"um, gram", "um", "1/\xC2\xB0" "C", ""}));
    std::memset(unit.szLengthUnit, 'm', sizeof(unit.szLengthUnit)); // a host's text without terminator
    EXPECT_EQ(columnUnitText(kColWidth, unit, 0), std::string(sizeof(unit.szLengthUnit), 'm'));
}

TEST(Units, CellValuesUseTheGivenDecimalPoint)
{
    // Thirteen significant digits.
    EXPECT_EQ((std::vector<std::string>{formatCellValue(34.29, ','), formatCellValue(0.1 + 0.2, '.'),
                                        formatCellValue(1234567890123.0, '.'),
                                        formatCellValue(-0.000123456789012345, '.'),
                                        formatCellValue(12345678901234.0, '.')}),
              (std::vector<std::string>{"34,29", "0.3", "1234567890123", "-0.0001234567890123",
                                        "1.234567890123e+13"}));

    // Impedances: the calculator's sentinels, one decimal, an exact half down.
    EXPECT_EQ((std::vector<std::string>{impedanceText(50.0, false), impedanceText(0.0, true),
                                        impedanceText(49.96, true), impedanceText(50.25, true),
                                        impedanceText(85.14, true, ',')}),
              (std::vector<std::string>{"<N/A>", "<Error>", "50", "50.2", "85,1"}));
}

TEST(Units, ReadNumberStopsWhereTheNumberEnds)
{
    const struct { std::string_view text; char point; double expected; } cases[] = {
        {"4,3", '.', 4.0},           {"4,3", ',', 4.3},        {"  -5e2x", '.', -500.0}, {"e5", '.', 0.0},
        {"-.", '.', 0.0},            {".5e", '.', 0.5},        {"1e+-3", '.', 1.0},      {"+2.5E-1", '.', 0.25},
        {{"1234", 2}, '.', 12.0},    {"1e999", '.', HUGE_VAL}, {"1000e-999", '.', 0.0},  {"0e99999", '.', 0.0},
        {"-0.001e99999999999999999999", '.', -HUGE_VAL},
    };
    for (const auto& c : cases)
        EXPECT_EQ(readNumber(c.text, c.point), c.expected) << c.text;
}

TEST(Units, CleanFormKeepsDigitsOnePointAndAnExponent)
{
    EXPECT_EQ((std::vector<bool>{isCleanForm("2e-3", '.'), isCleanForm("1,5", ','), isCleanForm("-5", '.'),
                                 isCleanForm("4,3", '.')}),
              (std::vector<bool>{true, true, false, false}));
    const std::pair<const char*, const char*> cleaned[] = {
        {"10 mils", "10"}, {"1.5.2", "1.52"}, {"1.5e3.2", "1.5e32"}, {"1e--5e-", "1e-5"}};
    for (const auto& [text, expected] : cleaned)
        EXPECT_EQ(cleanNumberText(text, '.'), expected) << text;
}
