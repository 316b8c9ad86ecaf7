// The guarded calls of the host's impedance calculator: a call that throws or
// answers with something that is not a number counts as "no value".
#include "ScriptedZ0Calculator.h"

#include "document/Z0Calls.h"
#include "model/Catalogues.h"
#include "model/LayerRecord.h"

#include <gtest/gtest.h>

#include <limits>
#include <tuple>

namespace lm {
namespace {

struct OddCalculator : test::ScriptedZ0Calculator {
    double SolveTraceGeometry(const LMLAYEREX*, double, bool, bool) override
    {
        return std::numeric_limits<double>::quiet_NaN();
    }
    bool CalcLoss(int32_t, int32_t, int32_t count, const double*, double* resistance, double*, double*,
                  double*) override
    {
        resistance[0] = 1.0; // half-filled, then it gives up
        if (count > 1)
            throw std::runtime_error("no conductor");
        return true;
    }
};

TEST(Z0Calls, NoCalculatorAnswersNothingAndCallsNothing)
{
    const Z0Calls none(nullptr);
    LMLAYEREX layer = defaultLayer(kSignal);
    none.applyAutoEr(layer);
    Z0Calls::Loss loss;
    EXPECT_EQ(std::tuple(none.present(), none.stackupZ0(1, 3), none.solveTraceGeometry(layer, 1e-4, false, false),
                         layer.dEr, none.calcLoss(1, 0, {1e6}, loss)),
              std::tuple(false, std::vector<double>(3, 0.0), 0.0, defaultLayer(kSignal).dEr, false));
}

TEST(Z0Calls, FaultsOfTheCalculatorCountAsNoValue)
{
    OddCalculator calculator;
    const Z0Calls calls(&calculator);
    LMLAYEREX layer = defaultLayer(kSignal);
    EXPECT_EQ(calls.solveTraceGeometry(layer, 1e-4, true, true), 0.0) << "NaN is no width";

    calculator.z0 = {50.0, std::numeric_limits<double>::infinity()};
    EXPECT_EQ(calls.stackupZ0(7, 2), (std::vector<double>{50.0, 0.0}));
    EXPECT_EQ(calculator.calls.back(), "CalcStackupZ0 7 0");
    EXPECT_TRUE(calls.stackupZ0(7, 0).empty()) << "an empty board is not asked";

    Z0Calls::Loss loss;
    EXPECT_FALSE(calls.calcLoss(1, 0, {1e6, 1e7, 1e8}, loss));
    EXPECT_EQ(loss.resistance, std::vector<double>(3, 0.0)) << "no half-filled curve";
    EXPECT_EQ(loss.dielectricAttenuation.size(), 3u);
    EXPECT_TRUE(calls.calcLoss(1, 0, {1e6}, loss));
    EXPECT_EQ(loss.resistance, std::vector<double>{1.0});
}

} // namespace
} // namespace lm
