#pragma once
// The cross-section a trace on one conductor layer sees: the dielectrics
// between it and its reference plane(s), and what covers it on an open side.
#include <laminar/laminar.h>
#include <laminar/z0calc.h>

#include <cstdint>
#include <vector>

namespace lmz0 {

struct Dielectric {
    double thickness = 0.0;
    double er = 1.0;
    double tanDelta = 0.0;
    double erFrequency = 1e6;
};

struct CrossSection {
    Structure structure = Structure::None;
    double t = 0.0;                      // trace thickness
    std::vector<Dielectric> planeSide;   // trace to reference plane (stripline: the plane below)
    std::vector<Dielectric> otherSide;   // trace to the other plane, or the cover of a microstrip
    bool maskOnly = false;               // the cover is solder mask only (a conformal coat)
    double slabEr = 1.0;                 // the trace layer's own Er: what fills between its traces
    double resistivity = 0.0;            // ohm-metres at 20 degC
    double tempCoef = 0.0;               // 1/degC

    double h1() const;
    double h2() const;
};

// The structure of layer `index`: reference planes are Plane, Split/Mixed and
// Flooded Signal layers; Signal layers between the trace and its plane count
// as dielectric of their own thickness and Er; Plating layers are skipped.
CrossSection crossSectionOf(const LMLAYEREX* layers, int32_t count, int32_t index);

// The trace layer's own usage, thickness and metal are taken from `self`
// (the editor may pass a working copy of the record).
CrossSection crossSectionOf(const LMLAYEREX* layers, int32_t count, int32_t index, const LMLAYEREX& self);

} // namespace lmz0
