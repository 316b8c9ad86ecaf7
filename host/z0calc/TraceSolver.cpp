#include "TraceSolver.h"

#include "FieldSolver.h"
#include "LayerKinds.h"
#include "LineModel.h"

#include <boost/math/tools/roots.hpp>

#include <algorithm>
#include <cmath>
#include <exception>
#include <cstdint>
#include <functional>

namespace lmz0 {
namespace {

constexpr double kRoundTripTolerance = 2e-5;
constexpr double kBracketFactor = 1.05;
// Corrections of the closed form before the bracketed search takes over.
constexpr int kMostCorrections = 6;

using Impedance = std::function<double(double)>;

// A root of model(x) = target over the logarithm of the dimension: the
// impedances change smoothly in it over the four decades.
double modelRoot(const Impedance& model, double target)
{
    auto mismatch = [&](double logDimension) {
        const double z = model(std::exp(logDimension));
        return std::isfinite(z) ? z - target : -target;
    };
    const double lo = std::log(kSmallestDimension), hi = std::log(kLargestDimension);
    const double fLo = mismatch(lo), fHi = mismatch(hi);
    if (fLo == 0.0) return kSmallestDimension;
    if (fHi == 0.0) return kLargestDimension;
    if ((fLo > 0.0) == (fHi > 0.0)) return 0.0;
    std::uintmax_t iterations = 100;
    const auto [a, b] = boost::math::tools::toms748_solve(mismatch, lo, hi, fLo, fHi,
                                                          boost::math::tools::eps_tolerance<double>(40), iterations);
    return std::exp((a + b) / 2.0);
}

// The field solution divided by the closed form, log-linear in the dimension
// through the last two samples (constant with one): it varies slowly, so the
// closed form times it lands ever closer to the field solution's root.
struct Correction {
    double logX[2] = {0.0, 0.0};
    double logRatio[2] = {0.0, 0.0};
    int samples = 0;

    void add(double x, double ratio)
    {
        logX[0] = logX[1];
        logRatio[0] = logRatio[1];
        logX[1] = std::log(x);
        logRatio[1] = std::log(ratio);
        ++samples;
    }
    double at(double x) const
    {
        if (samples < 2 || logX[1] == logX[0]) return std::exp(logRatio[1]);
        const double slope = (logRatio[1] - logRatio[0]) / (logX[1] - logX[0]);
        return std::exp(logRatio[1] + slope * (std::log(x) - logX[1]));
    }
};

// The closed form finds the dimension; the field solutions there correct the
// closed form, each correction a new search on it, which converges in two or
// three field solutions. A bracketed search on the field solution itself
// finishes where the corrections do not.
double solveDimension(const Impedance& estimate, const Impedance& accurate, double target, bool rising)
{
    if (!isPositive(target)) return 0.0;
    double x = modelRoot(estimate, target);
    if (x <= 0.0) return 0.0;
    Correction correction;
    for (int step = 0; step < kMostCorrections; ++step) {
        const double z = accurate(x);
        if (!isPositive(z)) return 0.0;
        if (std::abs(z / target - 1.0) < kRoundTripTolerance) return x;
        correction.add(x, z / estimate(x));
        const double next = modelRoot([&](double d) { return estimate(d) * correction.at(d); }, target);
        if (next <= 0.0) break;
        x = next;
    }
    try {
        std::uintmax_t iterations = 60;
        const auto [a, b] = boost::math::tools::bracket_and_solve_root(
            [&](double d) { return accurate(std::clamp(d, kSmallestDimension, kLargestDimension)) - target; }, x,
            kBracketFactor, rising, boost::math::tools::eps_tolerance<double>(30), iterations);
        const double root = (a + b) / 2.0;
        return root >= kSmallestDimension && root <= kLargestDimension ? root : 0.0;
    } catch (const std::exception&) {
        return 0.0; // no bracket: the field solution never meets the target
    }
}

} // namespace

double widthForZ0(const CrossSection& section, double target)
{
    return solveDimension([&](double w) { return singleLine(section, w).z(); },
                          [&](double w) { return fieldSolvedLine(section, w, 0.0).z(); }, target, false);
}

double widthForZdiff(const CrossSection& section, double target, double gap)
{
    if (!isPositive(gap)) return 0.0;
    return solveDimension([&](double w) { return 2.0 * oddModeLine(section, w, gap).z(); },
                          [&](double w) { return 2.0 * fieldSolvedLine(section, w, gap).z(); }, target, false);
}

double gapForZdiff(const CrossSection& section, double target, double width)
{
    if (!isPositive(width)) return 0.0;
    return solveDimension([&](double s) { return 2.0 * oddModeLine(section, width, s).z(); },
                          [&](double s) { return 2.0 * fieldSolvedLine(section, width, s).z(); }, target, true);
}

} // namespace lmz0
