"""Quasi-static 2-D field solution of one trace or an edge-coupled pair over a
layered cross-section, with FreeFem++ (P2 finite elements).

The cross-section is given as a stackup text, top layer first, layers joined by
'/', each "kind:thickness_um:er" with kind one of plane, sig, diel, mask:

    mask:20:3.5/sig:35:1/diel:100:4.2/plane:35:1

The one 'sig' layer carries the trace(s). Dielectric thicknesses run between
facing metal surfaces, so a dielectric above the trace starts at the trace top;
beside the trace (the trace layer's own slab) lies the trace layer's er when a
dielectric is above it, air otherwise. A 'mask' directly above a trace layer
with nothing else above is a conformal coat of its thickness over the trace
and the substrate. No plane above the trace means an open top.

The mesh is a tensor grid graded geometrically towards every edge of the
geometry (written here as a FreeFem mesh file); FreeFem++ solves Laplace's
equation with and without the dielectrics and integrates the field energy,
which gives the capacitances per unit length and so Z0 and the effective Er.
"""
import math
import os
import subprocess
import tempfile

C0 = 299792458.0
EPS0 = 8.8541878128e-12


def parse_stack(text):
    layers = []
    for item in text.split('/'):
        kind, thick, er = item.split(':')
        layers.append((kind, float(thick), float(er)))
    return layers


class Section:
    """Geometry in micrometres; y = 0 is the reference plane below the trace."""

    def __init__(self, stack, w, gap):
        layers = parse_stack(stack)
        sig = [i for i, l in enumerate(layers) if l[0] == 'sig']
        assert len(sig) == 1
        s = sig[0]
        self.w, self.gap, self.t = w, gap, layers[s][1]
        # below: dielectrics down to the first plane
        below = []
        i = s + 1
        while layers[i][0] != 'plane':
            below.append(layers[i])
            i += 1
        self.bands = []  # (y0, y1, er), full width
        y = 0.0
        for kind, th, er in reversed(below):
            self.bands.append((y, y + th, er))
            y += th
        self.h1 = y
        above = []
        i = s - 1
        while i >= 0 and layers[i][0] != 'plane':
            above.append(layers[i])
            i -= 1
        self.top_plane = i >= 0
        self.mask = None
        y = self.h1 + self.t
        if len(above) == 1 and above[0][0] == 'mask' and not self.top_plane:
            self.mask = (above[0][1], above[0][2])
            self.slab_er = 1.0
        else:
            self.slab_er = layers[s][2] if above else 1.0
            for kind, th, er in above:
                self.bands.append((y, y + th, er))
                y += th
        self.top = y  # top of the last dielectric (the plane when top_plane)
        # trace x-ranges on the half section x >= 0 (symmetry plane at x = 0)
        if gap > 0:
            self.traces = [(gap / 2, gap / 2 + w)]
        else:
            self.traces = [(0.0, w / 2)]

    def eps(self, x, y, air):
        if air:
            return 1.0
        for y0, y1, er in self.bands:
            if y0 <= y < y1:
                return er
        if self.mask:
            c, er = self.mask
            if self.h1 <= y < self.h1 + c:
                return er
            for x0, x1 in self.traces:
                if x0 - c <= x < x1 + c and self.h1 <= y < self.h1 + self.t + c:
                    return er
        if self.h1 <= y < self.h1 + self.t:
            return self.slab_er
        return 1.0

    def in_trace(self, x, y):
        return any(x0 < x < x1 for x0, x1 in self.traces) and self.h1 < y < self.h1 + self.t

    def extent(self):
        size = self.h1 + self.t + self.w + self.gap
        if self.top_plane:
            return self.traces[-1][1] + 12 * self.top, self.top
        far = 60 * size
        return far, far


def graded_axis(keys, lo, hi, dmin, slope):
    """Points from lo to hi through every key, spacing growing linearly with the
    distance from the nearest key (a geometric grading)."""
    keys = sorted(set(k for k in keys if lo <= k <= hi) | {lo, hi})
    pts = [lo]
    for a, b in zip(keys, keys[1:]):
        p = a
        while True:
            step = dmin + slope * min(p - a, b - p)
            if p + step >= b - 0.5 * (dmin + slope * max(0.0, b - p - step)):
                break
            p += step
            pts.append(p)
        pts.append(b)
    return pts


def write_mesh(sec, path, dmin, slope, air, odd):
    X, Y = sec.extent()
    c = sec.mask[0] if sec.mask else 0.0
    xkeys = [0.0]
    for x0, x1 in sec.traces:
        xkeys += [x0, x1] + ([max(0.0, x0 - c), x1 + c] if c else [])
    ykeys = [0.0, sec.h1, sec.h1 + sec.t] + [b[0] for b in sec.bands] + [b[1] for b in sec.bands]
    if c:
        ykeys += [sec.h1 + c, sec.h1 + sec.t + c]
    xs = graded_axis(xkeys, 0.0, X, dmin, slope)
    ys = graded_axis(ykeys, 0.0, Y, dmin, slope)
    nx, ny = len(xs), len(ys)
    vid = {}
    verts = []
    tris = []
    epsvals = []
    cell_kept = {}
    for i in range(nx - 1):
        for j in range(ny - 1):
            xc, yc = (xs[i] + xs[i + 1]) / 2, (ys[j] + ys[j + 1]) / 2
            cell_kept[(i, j)] = not sec.in_trace(xc, yc)

    def v(i, j):
        if (i, j) not in vid:
            vid[(i, j)] = len(verts) + 1
            verts.append((xs[i], ys[j]))
        return vid[(i, j)]

    for (i, j), kept in cell_kept.items():
        if not kept:
            continue
        xc, yc = (xs[i] + xs[i + 1]) / 2, (ys[j] + ys[j + 1]) / 2
        e = sec.eps(xc, yc, air)
        if e not in epsvals:
            epsvals.append(e)
        r = epsvals.index(e)
        a, b, cc, d = v(i, j), v(i + 1, j), v(i + 1, j + 1), v(i, j + 1)
        tris.append((a, b, cc, r))
        tris.append((a, cc, d, r))
    edges = []

    def kept(i, j):
        return cell_kept.get((i, j), False)

    # label 1 ground, 2 trace, 3 symmetry plane, 4 top (plane or far), 5 far side
    for i in range(nx - 1):
        for j in range(ny):
            lo_k, hi_k = kept(i, j - 1), kept(i, j)
            if lo_k != hi_k:
                if j == 0:
                    lab = 1
                elif j == ny - 1:
                    lab = 4
                else:
                    lab = 2
                edges.append((v(i, j), v(i + 1, j), lab))
    for j in range(ny - 1):
        for i in range(nx):
            l_k, r_k = kept(i - 1, j), kept(i, j)
            if l_k != r_k:
                if i == 0:
                    lab = 3
                elif i == nx - 1:
                    lab = 5
                else:
                    lab = 2
                edges.append((v(i, j), v(i, j + 1), lab))
    with open(path, 'w') as f:
        f.write(f"{len(verts)} {len(tris)} {len(edges)}\n")
        for x, y in verts:
            f.write(f"{x!r} {y!r} 0\n")
        for a, b, cc, r in tris:
            f.write(f"{a} {b} {cc} {r}\n")
        for a, b, lab in edges:
            f.write(f"{a} {b} {lab}\n")
    return epsvals, len(verts)


EDP = """
mesh Th = readmesh("{mesh}");
fespace Vh(Th, P2);
fespace Ph(Th, P0);
real[int] epsT = [{eps}];
Ph e = epsT[region];
Vh u, v;
solve laplace(u, v) = int2d(Th)(e * (dx(u) * dx(v) + dy(u) * dy(v)))
    + on(1, u = 0) + on(2, u = 1) + on(4, u = 0) {odd};
cout.precision(12);
cout << "ENERGY " << int2d(Th)(e * (dx(u) ^ 2 + dy(u) ^ 2)) << endl;
"""


def capacitance(sec, air, odd, dmin, slope):
    """Capacitance per metre of the half section's trace at 1 V."""
    with tempfile.TemporaryDirectory() as d:
        mesh = os.path.join(d, 'c.msh')
        epsvals, _ = write_mesh(sec, mesh, dmin, slope, air, odd)
        if len(epsvals) == 1:
            epsvals = epsvals * 2  # FreeFem wants an array literal of two or more
        edp = os.path.join(d, 'c.edp')
        with open(edp, 'w') as f:
            f.write(EDP.format(mesh=mesh, eps=', '.join(repr(e) for e in epsvals),
                               odd='+ on(3, u = 0)' if odd else ''))
        out = subprocess.run(['FreeFem++-nw', '-v', '0', edp], capture_output=True, text=True, check=True).stdout
    energy = float(next(l for l in out.splitlines() if l.startswith('ENERGY')).split()[1])
    return EPS0 * energy


def solve(stack, w, gap, dmin=None, slope=0.15):
    """(z, er_eff): Z0 of the single trace, or Zdiff (twice the odd-mode Z0) of a pair."""
    sec = Section(stack, w, gap)
    if dmin is None:
        dmin = min(sec.t, w, gap if gap else w, sec.h1) / 40
    odd = gap > 0
    c = capacitance(sec, False, odd, dmin, slope)
    c_air = capacitance(sec, True, odd, dmin, slope)
    if not odd:  # the half section holds half the trace
        c, c_air = 2 * c, 2 * c_air
    z = 1.0 / (C0 * math.sqrt(c * c_air))
    return (2 * z if odd else z), c / c_air
