#pragma once
// Closed-form quasi-static line models from the literature; sources in
// docs/impedance-calculator.md. Every result is a Mode: the impedance the
// conductors would have in air and the effective Er, Z = zAir / sqrt(erEff).
namespace lmz0 {

constexpr double kEta0 = 376.730313668; // ohms, impedance of free space
constexpr double kLightSpeed = 299792458.0;

struct Mode {
    double zAir = 0.0;
    double erEff = 1.0;
    double z() const;
};

// Microstrip of width w and thickness t on height h of permittivity er.
Mode microstrip(double w, double h, double t, double er);
// Odd mode of two such traces a gap s apart (Zdiff is twice its Z).
Mode coupledMicrostripOdd(double w, double s, double h, double t, double er);

// Air impedance of a trace between planes h1 below and h2 above its faces.
double striplineAirImpedance(double w, double h1, double h2, double t);
// Odd mode air impedance of a pair in the same place.
double coupledStriplineOddAirImpedance(double w, double s, double h1, double h2, double t);

} // namespace lmz0
