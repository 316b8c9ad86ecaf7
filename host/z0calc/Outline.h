#pragma once
// The half cross-section (x >= 0, the symmetry plane at x = 0, the plane
// below at y = 0) of a trace or one trace of a pair, and its outlines cut
// into panels: the trace's surface and every interface between dielectrics.
#include "CrossSection.h"
#include "PanelKernel.h"

#include <vector>

namespace lmz0 {

struct Band {
    double y0, y1, er;
};

struct Geometry {
    double x0 = 0.0, x1 = 0.0; // the trace
    double y0 = 0.0, y1 = 0.0;
    double top = 0.0;          // the top of the dielectrics, a stripline's plane above
    bool topPlane = false;
    std::vector<Band> bands;   // full-width dielectrics
    double slabEr = 1.0;       // beside the trace
    double coat = 0.0, coatEr = 1.0;
};

// Lengths in units of the trace's top height (the answers depend on ratios only).
Geometry geometryOf(const CrossSection& section, double w, double gap);

// A straight panel from a to b. On the trace, `er` is what touches it; on an
// interface, `er` lies on the left of a->b and `erRight` on the right.
struct Panel {
    Point a, b;
    bool conductor = false;
    double er = 1.0, erRight = 1.0;
};

// The trace's panels first, then the interfaces'. Twice the fineness, twice the panels.
std::vector<Panel> outlineOf(const Geometry& g, int fineness);

} // namespace lmz0
