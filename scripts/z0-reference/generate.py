"""Regenerates the reference table of field-solved impedances:

    /usr/bin/python3 scripts/z0-reference/generate.py > tests/host/data/z0-reference.csv

Each case of cases.txt is solved by fieldsolve.py (FreeFem++, Debian package
freefem++) on a graded mesh converged to about 0.02 %.
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import fieldsolve  # noqa: E402

here = os.path.dirname(os.path.abspath(__file__))
print("# id,group,structure,stackup,w_um,gap_um,z_ohm,er_eff  (z: Z0 of one trace, or Zdiff of a pair)")
for line in open(os.path.join(here, 'cases.txt')):
    if not line.strip() or line.startswith('#'):
        continue
    cid, group, structure, stack, w, gap = line.split()
    z, eeff = fieldsolve.solve(stack, float(w), float(gap), slope=0.2)
    print(f"{cid},{group},{structure},{stack},{w},{gap},{z:.4f},{eeff:.5f}", flush=True)
