#include "ClosedForms.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace lmz0 {
namespace {

using std::numbers::pi;

// K(k')/K(k) by Hilberg's approximation (relative error below 3e-6).
double ellipticRatio(double k)
{
    k = std::clamp(k, 1e-300, 1.0 - 1e-16);
    const double kp = std::sqrt(1.0 - k * k);
    if (k <= std::numbers::sqrt2 / 2) {
        const double s = std::sqrt(kp);
        return std::log(2.0 * (1.0 + s) / (1.0 - s)) / pi;
    }
    const double s = std::sqrt(k);
    return pi / std::log(2.0 * (1.0 + s) / (1.0 - s));
}

// Hammerstad & Jensen (1980): zero-thickness microstrip in air, u = w/h.
double hjAirImpedance(double u)
{
    const double f = 6.0 + (2.0 * pi - 6.0) * std::exp(-std::pow(30.666 / u, 0.7528));
    return kEta0 / (2.0 * pi) * std::log(f / u + std::sqrt(1.0 + 4.0 / (u * u)));
}

// Hammerstad & Jensen (1980): zero-thickness effective Er.
double hjEffectiveEr(double u, double er)
{
    const double u4 = u * u * u * u;
    const double a = 1.0 + std::log((u4 + std::pow(u / 52.0, 2)) / (u4 + 0.432)) / 49.0 +
                     std::log(1.0 + std::pow(u / 18.1, 3)) / 18.7;
    const double b = 0.564 * std::pow((er - 0.9) / (er + 3.0), 0.053);
    return (er + 1.0) / 2.0 + (er - 1.0) / 2.0 * std::pow(1.0 + 10.0 / u, -a * b);
}

// Hammerstad & Jensen (1980): width increments for a strip of thickness t/h.
struct ThicknessWidening {
    double air; // for the line in air
    double er;  // for the line on the dielectric
};

ThicknessWidening hjWidening(double u, double tn, double er)
{
    if (tn <= 0.0) return {0.0, 0.0};
    const double coth = 1.0 / std::tanh(std::sqrt(6.517 * u));
    const double air = tn / pi * std::log(1.0 + 4.0 * std::numbers::e / (tn * coth * coth));
    return {air, 0.5 * (1.0 + 1.0 / std::cosh(std::sqrt(std::max(er - 1.0, 0.0)))) * air};
}

// Wheeler (1978): thick centred stripline in air, plane spacing b.
double wheelerStripline(double w, double b, double t)
{
    const double x = t / b;
    double widened = w / (b - t);
    if (x > 0.0) {
        const double m = 2.0 / (1.0 + 2.0 / 3.0 * x / (1.0 - x));
        const double dw = x / (pi * (1.0 - x)) *
                          (1.0 - 0.5 * std::log(std::pow(x / (2.0 - x), 2) +
                                                std::pow(0.0796 * x / (w / b + 1.1 * x), m)));
        widened += dw;
    }
    const double a = 4.0 / (pi * widened);
    return kEta0 / (4.0 * pi) * std::log(1.0 + a * (2.0 * a + std::sqrt(4.0 * a * a + 6.27)));
}

// Zero-thickness centred stripline in air: exact, by conformal mapping.
double thinStripline(double w, double b) { return kEta0 / 4.0 * ellipticRatio(std::tanh(pi * w / (2.0 * b))); }

// Cohn (1955): odd mode of a zero-thickness centred pair in air.
double thinCoupledStriplineOdd(double w, double s, double b)
{
    const double k = std::tanh(pi * w / (2.0 * b)) / std::tanh(pi * (w + s) / (2.0 * b));
    return kEta0 / 4.0 * ellipticRatio(k);
}

// Two halves of an offset line act as parallel capacitances: each half is
// half of a centred line of spacing 2h + t.
double parallelHalves(double zLower, double zUpper) { return 2.0 * zLower * zUpper / (zLower + zUpper); }

} // namespace

double Mode::z() const { return zAir / std::sqrt(erEff); }

Mode microstrip(double w, double h, double t, double er)
{
    const double u = w / h;
    const ThicknessWidening dw = hjWidening(u, t / h, er);
    const double u1 = u + dw.air, ur = u + dw.er;
    // The line in air has width u1, on the dielectric the narrower ur.
    const double zAir = hjAirImpedance(u1);
    const double z = hjAirImpedance(ur) / std::sqrt(hjEffectiveEr(ur, er));
    return {zAir, std::pow(zAir / z, 2)};
}

Mode coupledMicrostripOdd(double w, double s, double h, double t, double er)
{
    // Kirschning & Jansen (1984), with Jansen's thickness corrections of the widths.
    const double g = s / h;
    const double u0 = w / h;
    const double tn = t / h;
    const ThicknessWidening dw = hjWidening(u0, tn, er);
    // The odd mode widens a thick strip more: its side walls face the other strip.
    auto oddWidening = [&](double single, double erSub) {
        if (tn <= 0.0) return 0.0;
        const double dt = tn / (g * erSub);
        return single * (1.0 - 0.5 * std::exp(-0.69 * single / dt)) + dt;
    };
    auto oddLine = [&](double u, double erSub) {
        const double ee0 = hjEffectiveEr(u, erSub);
        const double ao = 0.7287 * (ee0 - (erSub + 1.0) / 2.0) * (1.0 - std::exp(-0.179 * u));
        const double bo = 0.747 * erSub / (0.15 + erSub);
        const double co = bo - (bo - 0.207) * std::exp(-0.414 * u);
        const double d = 0.593 + 0.694 * std::exp(-0.562 * u);
        const double eeOdd = ((erSub + 1.0) / 2.0 + ao - ee0) * std::exp(-co * std::pow(g, d)) + ee0;
        const double z0 = hjAirImpedance(u) / std::sqrt(ee0);
        const double q1 = 0.8695 * std::pow(u, 0.194);
        const double q2 = 1.0 + 0.7519 * g + 0.189 * std::pow(g, 2.31);
        const double q3 = 0.1975 + std::pow(16.6 + std::pow(8.4 / g, 6), -0.387) +
                          std::log(std::pow(g, 10) / (1.0 + std::pow(g / 3.4, 10))) / 241.0;
        const double q4 = 2.0 * q1 / q2 / (std::exp(-g) * std::pow(u, q3) + (2.0 - std::exp(-g)) * std::pow(u, -q3));
        const double q5 = 1.794 + 1.14 * std::log(1.0 + 0.638 / (g + 0.517 * std::pow(g, 2.43)));
        const double q6 = 0.2305 + std::log(std::pow(g, 10) / (1.0 + std::pow(g / 5.8, 10))) / 281.3 +
                          std::log(1.0 + 0.598 * std::pow(g, 1.154)) / 5.1;
        const double q7 = (10.0 + 190.0 * g * g) / (1.0 + 82.3 * g * g * g);
        const double q8 = std::exp(-6.5 - 0.95 * std::log(g) - std::pow(g / 0.15, 5));
        const double q9 = std::log(q7) * (q8 + 1.0 / 16.5);
        const double q10 = q4 - q5 / q2 * std::exp(q6 * std::log(u) * std::pow(u, -q9));
        const double zOdd = z0 * std::sqrt(ee0 / eeOdd) / (1.0 - z0 * std::sqrt(ee0) * q10 / kEta0);
        return Mode{zOdd * std::sqrt(eeOdd), eeOdd};
    };
    const Mode inAir = oddLine(u0 + oddWidening(dw.air, 1.0), 1.0);
    const Mode onSubstrate = oddLine(u0 + oddWidening(dw.er, er), er);
    return {inAir.zAir, std::pow(inAir.zAir / onSubstrate.z(), 2)};
}

double striplineAirImpedance(double w, double h1, double h2, double t)
{
    if (std::abs(h1 - h2) <= 1e-9 * (h1 + h2)) return wheelerStripline(w, h1 + h2 + t, t);
    return parallelHalves(wheelerStripline(w, 2.0 * h1 + t, t), wheelerStripline(w, 2.0 * h2 + t, t));
}

double coupledStriplineOddAirImpedance(double w, double s, double h1, double h2, double t)
{
    // The pair's odd-mode capacitance in excess of one thin trace's, added to the thick trace's.
    auto centred = [&](double h) {
        const double b = 2.0 * h + t;
        const double thickSingle = wheelerStripline(w, b, t);
        const double thinSingle = thinStripline(w, b);
        const double thinOdd = thinCoupledStriplineOdd(w, s, b);
        return 1.0 / (1.0 / thinOdd + 1.0 / thickSingle - 1.0 / thinSingle);
    };
    if (std::abs(h1 - h2) <= 1e-9 * (h1 + h2)) return centred(h1);
    return parallelHalves(centred(h1), centred(h2));
}

} // namespace lmz0
