#include "TraceSolver.h"

#include "FieldSolver.h"
#include "KeyedMemory.h"
#include "LayerKinds.h"
#include "LineModel.h"

#include <boost/math/tools/roots.hpp>

#include <algorithm>
#include <cmath>
#include <exception>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace lmz0 {
namespace {

constexpr double kRoundTripTolerance = 2e-5;
// The bracketed search steps out by at least this factor, more when the last
// field solution was far from the target; it ends on a bracket this narrow.
constexpr double kBracketFactor = 1.05;
constexpr int kBracketBits = 20;
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

// The last correction of the closed form per cross-section and kind of search.
// A sweep asks for one dimension after another of the same cross-section in
// small steps: the correction found for one is a close first guess for the next.
KeyedMemory<double, 256>& memory()
{
    static KeyedMemory<double, 256> instance;
    return instance;
}

enum class Search { SingleWidth, PairWidth, PairGap };

std::string memoryKey(const CrossSection& s, Search search)
{
    std::vector<double> values{static_cast<double>(search), static_cast<double>(s.structure), s.t, s.slabEr,
                               s.maskOnly ? 1.0 : 0.0};
    for (const std::vector<Dielectric>* side : {&s.planeSide, &s.otherSide}) {
        values.push_back(static_cast<double>(side->size()));
        for (const Dielectric& d : *side) values.insert(values.end(), {d.thickness, d.er});
    }
    return keyOf(values);
}

// The closed form, corrected as for the last search of the same kind, finds
// the dimension; the field solutions there correct the closed form further,
// each correction a new search on it, which converges in one to three field
// solutions. A bracketed search on the field solution itself finishes where
// the corrections do not.
double solveDimension(const Impedance& estimate, const Impedance& accurate, double target, bool rising,
                      const std::string& key)
{
    if (!isPositive(target)) return 0.0;
    if (modelRoot(estimate, target) <= 0.0) return 0.0;
    const double remembered = memory().find(key).value_or(1.0);
    double x = modelRoot([&](double d) { return estimate(d) * remembered; }, target);
    if (x <= 0.0) x = modelRoot(estimate, target);
    Correction correction;
    double mismatch = 0.0;
    for (int step = 0; step < kMostCorrections; ++step) {
        const double z = accurate(x);
        if (!isPositive(z)) return 0.0;
        mismatch = std::abs(std::log(z / target));
        correction.add(x, z / estimate(x));
        if (std::abs(z / target - 1.0) < kRoundTripTolerance) {
            memory().store(key, z / estimate(x));
            return x;
        }
        const double next = modelRoot([&](double d) { return estimate(d) * correction.at(d); }, target);
        if (next <= 0.0) break;
        x = next;
    }
    try {
        std::uintmax_t iterations = 60;
        const auto [a, b] = boost::math::tools::bracket_and_solve_root(
            [&](double d) { return accurate(std::clamp(d, kSmallestDimension, kLargestDimension)) - target; }, x,
            std::max(kBracketFactor, 1.0 + 2.0 * mismatch), rising,
            boost::math::tools::eps_tolerance<double>(kBracketBits), iterations);
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
                          [&](double w) { return fieldSolvedLine(section, w, 0.0).z(); }, target, false,
                          memoryKey(section, Search::SingleWidth));
}

double widthForZdiff(const CrossSection& section, double target, double gap)
{
    if (!isPositive(gap)) return 0.0;
    return solveDimension([&](double w) { return 2.0 * oddModeLine(section, w, gap).z(); },
                          [&](double w) { return 2.0 * fieldSolvedLine(section, w, gap).z(); }, target, false,
                          memoryKey(section, Search::PairWidth));
}

double gapForZdiff(const CrossSection& section, double target, double width)
{
    if (!isPositive(width)) return 0.0;
    return solveDimension([&](double s) { return 2.0 * oddModeLine(section, width, s).z(); },
                          [&](double s) { return 2.0 * fieldSolvedLine(section, width, s).z(); }, target, true,
                          memoryKey(section, Search::PairGap));
}

} // namespace lmz0
