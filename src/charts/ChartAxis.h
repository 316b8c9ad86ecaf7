#pragma once
// The arithmetic of one chart axis: how a value range over a pixel length
// becomes a step, first and last ticks and a scale, on a linear axis (steps
// in value units) or a logarithmic one (steps in decades); how pixels and
// values map onto each other; which ticks carry labels and where the minor
// ticks of a logarithmic axis go. Pure functions on doubles and integers.
#include <cstdint>
#include <vector>

namespace lm {

// Whole numbers with a tolerance of 1e-12, so that 2.9999999999999996 is 3.
double tolerantFloor(double x);
double tolerantCeil(double x);
// Halves go up.
double nearest(double x);
// A count as an int, saturating at the int range (NaN gives 0).
int32_t saturatingInt(double x);

// Linear step for [a, b] over n pixels: at most n / 20 intervals (at least 2),
// mantissas 0.1, 0.2, 0.25, 0.5 times powers of ten, the least waste winning
// and the smaller step among equal wastes.
double linearStep(double a, double b, int32_t pixels);
// Logarithmic step in whole decades for [a, b] (a > 0) over n pixels.
double logStep(double a, double b, int32_t pixels);

// A range that is empty (both 0, or relatively narrower than 1e-12) is
// widened: by 0.5 each side on a linear axis, a decade each side on a log one.
void widenDegenerateRange(double& min, double& max, bool log);

// The minor tick fraction of a log axis with that many pixels per decade:
// 0.1, 0.2, 0.25 or 0.5, the first whose ticks lie 10 pixels apart; 0 for none.
double minorTickFraction(double pixelsPerDecade);
// The minor tick values below a major tick `major` for fraction f (none for 0).
std::vector<double> minorTicksBelow(double major, double fraction);

// One axis: its kind, ticks and scale, and the view range it was laid out for.
struct AxisState {
    bool log = false;
    double step = 1;  // value units on a linear axis, decades on a log one
    double first = 0; // the first and last ticks: the ends of the drawn axis
    double last = 1;
    double scale = 1; // pixels per value unit, or per decade
    double min = 0;   // the view's range on this axis
    double max = 1;

    // log10 on a log axis, the value itself on a linear one.
    double transform(double value) const;
    // The step for [a, b] over that many pixels, by the axis kind.
    double stepFor(double a, double b, int32_t pixels) const;
    double firstTickFor(double a, double step) const;
    double lastTickFor(double first, double b, double step) const;
    // Ticks for [min, max] with the step chosen: first and last.
    void placeTicks(double step);
    double tick(int32_t i) const;
    // Number of intervals between the first and last tick.
    int32_t intervals() const;
    // A value moved by i steps (towards lower values for positive i).
    double moved(double value, int32_t i) const;
    // Pixel length of one step: nearest(scale * step).
    int32_t stepPixels() const;
    // Pixel offset of a value from the axis origin (the first tick).
    int32_t offsetOf(double value) const;
    // The value at a pixel offset from the axis origin: between whole-pixel
    // ticks by interpolation; on a log axis with minor ticks, a minor tick
    // value when it lies exactly on that pixel.
    double valueAtOffset(double offset) const;
    // Every k-th tick carries a label; `length` is the axis' pixel length,
    // `labelExtent` the room one label needs along it.
    int32_t labelSpacing(int32_t length, int32_t labelExtent) const;
};

} // namespace lm
