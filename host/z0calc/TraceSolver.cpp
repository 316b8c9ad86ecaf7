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


using Impedance = std::function<double(double)>;

// A root of estimate(x) * scale = target over the logarithm of the dimension:
// the impedances change smoothly in it over the four decades.
double estimateRoot(const Impedance& estimate, double scale, double target)
{
    auto mismatch = [&](double logDimension) {
        const double z = estimate(std::exp(logDimension)) * scale;
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

// The closed form finds the dimension; the field solution there rescales the
// closed form for a second search, which lands close. A bracketed search on
// the field solution itself then finishes.
double solveDimension(const Impedance& estimate, const Impedance& accurate, double target, bool rising)
{
    if (!isPositive(target)) return 0.0;
    double x = estimateRoot(estimate, 1.0, target);
    if (x <= 0.0) return 0.0;
    const double z = accurate(x);
    if (!isPositive(z)) return 0.0;
    if (std::abs(z / target - 1.0) < kRoundTripTolerance) return x;
    const double rescaled = estimateRoot(estimate, z / estimate(x), target);
    if (rescaled > 0.0) x = rescaled;
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
