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
#include <utility>
#include <string>
#include <vector>

namespace lmz0 {
namespace {

constexpr double kRoundTripTolerance = 5e-5;
// Secant steps on the field solution before the bracketed search takes over;
// no step goes further than this factor in the dimension.
constexpr int kMostSteps = 8;
constexpr double kLargestStep = 2.0;
// The bracketed search steps out by at least this factor, more when the last
// field solution was far from the target; it ends on a bracket this narrow.
constexpr double kBracketFactor = 1.05;
constexpr int kBracketBits = 20;

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

// What the searches of one kind on one cross-section found: at each value of
// the other dimension (the gap of a width search) the field solution over the
// closed form at the answer, and the field solution's slope d ln Z / d ln x
// there. A sweep asks for one dimension after another in small steps of the
// other, and a new target sweeps the same steps again: the ratio and the
// slope, read between or on from the nearest two, make a first guess and a
// first step that land within the tolerance in one or two solutions.
class Remembered {
public:
    struct Sample {
        double logOther, logRatio, slope;
    };

    Sample at(double logOther) const
    {
        if (samples_.empty()) return {logOther, 0.0, 0.0};
        std::vector<Sample> nearest = samples_;
        std::partial_sort(nearest.begin(), nearest.begin() + std::min<std::size_t>(2, nearest.size()), nearest.end(),
                          [&](const Sample& p, const Sample& q) {
                              return std::abs(p.logOther - logOther) < std::abs(q.logOther - logOther);
                          });
        const Sample& a = nearest[0];
        if (nearest.size() < 2 || a.logOther == logOther) return a;
        const Sample& b = nearest[1];
        const double span = b.logOther - a.logOther, f = (logOther - a.logOther) / span;
        if (std::abs(f) > 2.0) return a;
        return {logOther, a.logRatio + (b.logRatio - a.logRatio) * f, a.slope + (b.slope - a.slope) * f};
    }
    void add(const Sample& sample)
    {
        std::erase_if(samples_, [&](const Sample& s) { return s.logOther == sample.logOther; });
        if (samples_.size() >= kSamples)
            samples_.erase(std::max_element(samples_.begin(), samples_.end(), [&](const Sample& p, const Sample& q) {
                return std::abs(p.logOther - sample.logOther) < std::abs(q.logOther - sample.logOther);
            }));
        samples_.push_back(sample);
    }

private:
    static constexpr std::size_t kSamples = 64;
    std::vector<Sample> samples_;
};

KeyedMemory<Remembered, 256>& memory()
{
    static KeyedMemory<Remembered, 256> instance;
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

// The closed form, corrected as the last searches of the same kind found,
// gives the first guess; secant steps over ln x on the field solution itself
// (the first with the remembered slope, else the closed form's) go on from
// there. A bracketed search on the field solution finishes where they do not.
double solveDimension(const Impedance& estimate, const Impedance& accurate, double target, bool rising,
                      double other, const std::string& key)
{
    if (!isPositive(target)) return 0.0;
    const double plainGuess = modelRoot(estimate, target);
    if (plainGuess <= 0.0) return 0.0;
    Remembered remembered = memory().find(key).value_or(Remembered{});
    const double logOther = std::log(other > 0.0 ? other : 1.0);
    const Remembered::Sample guide = remembered.at(logOther);
    const double ratio = std::exp(guide.logRatio);
    double x = modelRoot([&](double d) { return estimate(d) * ratio; }, target);
    if (x <= 0.0) x = plainGuess;
    const double direction = rising ? 1.0 : -1.0;
    double slope = guide.slope * direction > 0.0 ? guide.slope : 0.0;
    if (slope == 0.0) {
        const double step = 1e-3;
        slope = (std::log(estimate(x * std::exp(step))) - std::log(estimate(x))) / step;
        if (!(slope * direction > 0.0)) slope = 0.5 * direction;
    }
    const double lnTarget = std::log(target);
    double lo = -HUGE_VAL, hi = HUGE_VAL; // ln x where the field solution is below / above the target
    double mismatch = 0.0;
    for (int step = 0; step < kMostSteps; ++step) {
        const double z = accurate(x);
        if (!isPositive(z)) return 0.0;
        mismatch = std::log(z) - lnTarget;
        if (std::abs(z / target - 1.0) < kRoundTripTolerance) {
            remembered.add({logOther, std::log(z / estimate(x)), slope});
            memory().store(key, std::move(remembered));
            return x;
        }
        const double lnX = std::log(x);
        ((mismatch < 0.0) == rising ? lo : hi) = lnX;
        double next = lnX - mismatch / slope;
        next = std::clamp(next, lnX - std::log(kLargestStep), lnX + std::log(kLargestStep));
        if (std::isfinite(lo) && std::isfinite(hi) && (next <= std::min(lo, hi) || next >= std::max(lo, hi)))
            next = (lo + hi) / 2.0;
        next = std::clamp(next, std::log(kSmallestDimension), std::log(kLargestDimension));
        if (next == lnX) break;
        const double zNext = accurate(std::exp(next));
        if (!isPositive(zNext)) return 0.0;
        const double secant = (std::log(zNext) - std::log(z)) / (next - lnX);
        if (secant * direction > 0.0) slope = secant;
        x = std::exp(next); // its field solution is cached: the next round reads it back
    }
    try {
        std::uintmax_t iterations = 60;
        const auto [a, b] = boost::math::tools::bracket_and_solve_root(
            [&](double d) { return accurate(std::clamp(d, kSmallestDimension, kLargestDimension)) - target; }, x,
            std::max(kBracketFactor, 1.0 + 2.0 * std::abs(mismatch)), rising,
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
                          [&](double w) { return fieldSolvedLine(section, w, 0.0).z(); }, target, false, 0.0,
                          memoryKey(section, Search::SingleWidth));
}

double widthForZdiff(const CrossSection& section, double target, double gap)
{
    if (!isPositive(gap)) return 0.0;
    return solveDimension([&](double w) { return 2.0 * oddModeLine(section, w, gap).z(); },
                          [&](double w) { return 2.0 * fieldSolvedLine(section, w, gap).z(); }, target, false, gap,
                          memoryKey(section, Search::PairWidth));
}

double gapForZdiff(const CrossSection& section, double target, double width)
{
    if (!isPositive(width)) return 0.0;
    return solveDimension([&](double s) { return 2.0 * oddModeLine(section, width, s).z(); },
                          [&](double s) { return 2.0 * fieldSolvedLine(section, width, s).z(); }, target, true, width,
                          memoryKey(section, Search::PairGap));
}

} // namespace lmz0
