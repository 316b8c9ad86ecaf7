#include "charts/ChartAxis.h"

#include <array>
#include <cmath>
#include <limits>

namespace lm {
namespace {

constexpr double kTolerance = 1e-12;
constexpr std::array kMantissas{0.1, 0.2, 0.25, 0.5};
// Enough to walk a step through every power of ten a double has, and no further.
constexpr int kMaxDecadeWalk = 700;

// Ticks of a log axis are powers of ten: work on their exponents, which stay
// whole numbers, instead of multiplying rounding errors into the values.
double exponentOf(double value)
{
    const double e = std::log10(value);
    const double whole = std::round(e);
    return std::abs(e - whole) < 1e-9 ? whole : e;
}

struct LinearCandidate {
    double step = 0;
    double span = 0; // U - L: the range widened to whole steps
    double waste = 0;
};

LinearCandidate linearCandidate(double a, double b, double step)
{
    const double low = tolerantFloor(a / step) * step;
    const double high = tolerantCeil(b / step) * step;
    return {step, high - low, (high - low) - (b - a)};
}

double intervalCount(double a, double b, double step)
{
    return nearest(linearCandidate(a, b, step).span / step);
}

} // namespace

double tolerantFloor(double x)
{
    const double f = x - std::floor(x);
    return f > 0 && 1 - f < kTolerance ? std::ceil(x) : std::floor(x);
}

double tolerantCeil(double x)
{
    const double f = x - std::floor(x);
    return f > 0 && f < kTolerance ? std::floor(x) : std::ceil(x);
}

double nearest(double x)
{
    const double down = std::floor(x);
    const double up = std::ceil(x);
    return x - down < up - x ? down : up;
}

int32_t saturatingInt(double x)
{
    if (std::isnan(x))
        return 0;
    if (x >= std::numeric_limits<int32_t>::max())
        return std::numeric_limits<int32_t>::max();
    if (x <= std::numeric_limits<int32_t>::min())
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(x);
}

double linearStep(double a, double b, int32_t pixels)
{
    if (!std::isfinite(a) || !std::isfinite(b) || !(b > a))
        return 1;
    int32_t limit = pixels / 20;
    if (limit < 3)
        limit = 2;
    LinearCandidate best;
    bool haveBest = false;
    for (const double mantissa : kMantissas) {
        double step = mantissa;
        int walk = 0;
        while (intervalCount(a, b, step) <= limit && step > 0 && ++walk < kMaxDecadeWalk)
            step /= 10;
        while (intervalCount(a, b, step) > limit && std::isfinite(step) && ++walk < 2 * kMaxDecadeWalk)
            step *= 10;
        const LinearCandidate candidate = linearCandidate(a, b, step);
        // Equal wastes (within a millionth of the span) go to the smaller step.
        if (!haveBest || candidate.waste < best.waste ||
            (candidate.waste - best.waste < 1e-6 * candidate.span && candidate.step < best.step)) {
            best = candidate;
            haveBest = true;
        }
    }
    return best.step;
}

double logStep(double a, double b, int32_t pixels)
{
    double decades = tolerantCeil(std::log10(b)) - tolerantFloor(std::log10(a));
    if (!std::isfinite(decades) || decades < 1)
        decades = 1;
    if (pixels <= 0)
        return decades;
    if (pixels / decades >= 20)
        return 1;
    double k = 2;
    while (pixels * k / decades < 20)
        ++k;
    return k;
}

void widenDegenerateRange(double& min, double& max, bool log)
{
    const bool empty = (min == 0 && max == 0) || (max - min) / std::abs(max + min) < kTolerance;
    if (!empty)
        return;
    if (log) {
        min /= 10;
        max *= 10;
    } else {
        min -= 0.5;
        max += 0.5;
    }
}

double minorTickFraction(double pixelsPerDecade)
{
    for (const double f : kMantissas)
        if (nearest(-std::log10(1 - f) * pixelsPerDecade) >= 10)
            return f;
    return 0;
}

std::vector<double> minorTicksBelow(double major, double fraction)
{
    std::vector<double> ticks;
    if (fraction <= 0)
        return ticks;
    const int32_t n = saturatingInt(nearest(1 / fraction));
    for (int32_t i = n / 10 + 1; i <= n - 1; ++i)
        ticks.push_back(major * fraction * i);
    return ticks;
}

// ------------------------------------------------------------------ AxisState

double AxisState::transform(double value) const { return log ? std::log10(value) : value; }

double AxisState::stepFor(double a, double b, int32_t pixels) const
{
    return log ? logStep(a, b, pixels) : linearStep(a, b, pixels);
}

double AxisState::firstTickFor(double a, double d) const
{
    return log ? std::pow(10.0, tolerantFloor(std::log10(a))) : tolerantFloor(a / d) * d;
}

double AxisState::lastTickFor(double firstTick, double b, double d) const
{
    if (!log)
        return tolerantCeil(b / d) * d;
    // The first tick times 10^d until it reaches b, on the exponents.
    const double target = tolerantCeil(std::log10(b));
    double e = exponentOf(firstTick);
    for (int walk = 0; e < target && walk < kMaxDecadeWalk; ++walk)
        e += d;
    return std::pow(10.0, e);
}

void AxisState::placeTicks(double d)
{
    step = d;
    first = firstTickFor(min, d);
    last = lastTickFor(first, max, d);
}

double AxisState::tick(int32_t i) const
{
    return log ? std::pow(10.0, exponentOf(first) + i * step) : first + i * step;
}

int32_t AxisState::intervals() const
{
    return saturatingInt(nearest((transform(last) - transform(first)) / step));
}

double AxisState::moved(double value, int32_t i) const
{
    return log ? std::pow(10.0, exponentOf(value) - i * step) : nearest(value / step - i) * step;
}

int32_t AxisState::stepPixels() const { return saturatingInt(nearest(scale * step)); }

int32_t AxisState::offsetOf(double value) const
{
    return saturatingInt(nearest((transform(value) - transform(first)) * scale));
}

double AxisState::valueAtOffset(double offset) const
{
    const double unit = scale * step; // pixels per step
    if (!(unit > 0))
        return first;
    const double k = std::floor(offset / unit);
    const double pk = nearest(k * unit);
    const double pk1 = nearest((k + 1) * unit);
    const double steps = pk1 > pk ? k + (offset - pk) / (pk1 - pk) : offset / unit;
    if (!log)
        return first + steps * step;

    const double fraction = minorTickFraction(scale);
    if (fraction != 0) {
        const double decades = offset / scale;
        const double major = std::pow(10.0, exponentOf(first) + k * step);
        const double within = std::pow(10.0, decades - k * step);
        const double base = std::floor(within / (10 * fraction));
        for (const double multiple : {base, base + 1}) {
            const double candidate = major * multiple * 10 * fraction;
            if (candidate > 0 && offsetOf(candidate) == nearest(offset))
                return candidate;
        }
    }
    return std::pow(10.0, exponentOf(first) + steps * step);
}

int32_t AxisState::labelSpacing(int32_t length, int32_t labelExtent) const
{
    // The step's mantissa as a whole number 10..50 (0.25 -> 25, 2 decades -> 20).
    double m = step;
    for (int walk = 0; m > std::numeric_limits<int32_t>::max() && walk < kMaxDecadeWalk; ++walk)
        m /= 10;
    for (int walk = 0; m > 0 && nearest(m) < 10 && walk < kMaxDecadeWalk; ++walk)
        m *= 10;
    for (int walk = 0; nearest(m) >= 51 && walk < kMaxDecadeWalk; ++walk)
        m /= 10;
    const int32_t mantissa = saturatingInt(nearest(m));

    const int32_t n = intervals();
    if (n <= 0)
        return 1;
    const double perInterval = nearest(static_cast<double>(length) / n);
    int32_t k = 1;
    while (k < n && k < 10 && k * perInterval < labelExtent)
        ++k;
    if (log)
        return k;
    // Labels on round multiples: every 5th of 1s and 2s, every 8th of 0.25s, else every 10th.
    if (k == 3)
        k = 4;
    if (k == 4 && (mantissa == 10 || mantissa == 20))
        k = 5;
    if (k >= 5 && k <= 8 && mantissa == 25)
        k = 8;
    else if (k > 5)
        k = 10;
    return k;
}

} // namespace lm
