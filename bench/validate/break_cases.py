"""The planted-fault cases of the break study: series of 150 rings or more
from the shared real ring-width files, each given one missed ring (a ring
taken out) or one false ring (a ring split in two), or left as it is (a clean
control), paired with its own site's chronology built without its tree.

A tree is a series' identifier without its last character (the core letter
or digit): conservative, since an identifier scheme with no core letter only
leaves more series out of a chronology. Missing values (negative codes such
as -999) cut a series: its longest stretch without them is the one taken."""

import os
import random
import re

import numpy as np

from real_pairs import REAL_FILES, detrended
from tree_ring_files import read_ring_widths

MIN_RINGS = 150
MIN_OTHERS = 5       # trees the chronology needs besides the series' own
PER_SITE = 3         # series taken from one site
SEED = 36
OTHER_VARIABLES = re.compile(r"WIDTH_EARLY|WIDTH_LATE|DENSITY|LATEWOOD|EARLYWOOD", re.I)


def longest_clean_stretch(series):
    """The longest run of values of 0 or more, with its first year."""
    best, start = (0, 0), None
    values = series["values"]
    for k in range(len(values) + 1):
        bad = k == len(values) or values[k] < 0
        if bad and start is not None:
            if k - start > best[1] - best[0]:
                best = (start, k)
            start = None
        elif not bad and start is None:
            start = k
    lo, hi = best
    return {"id": series["id"], "first": series["first"] + lo, "values": values[lo:hi]}


def site_files(real, alps):
    """(site name, path) of every ring-width file: the real collection's and
    the Alpine library's total ring widths (its files named after the site
    number alone, with no other measured variable named on line 1)."""
    out = [(key, os.path.join(real, name)) for key, (name, reader, _, _) in REAL_FILES.items()
           if reader == "M"] if real else []
    if alps:
        for name in sorted(os.listdir(alps)):
            if not re.fullmatch(r"[a-z]+\d+\.rwl", name):
                continue
            path = os.path.join(alps, name)
            with open(path, encoding="latin-1") as f:
                if OTHER_VARIABLES.search(f.readline()):
                    continue
            out.append((name[:-4], path))
    return out


def tree_of(ident):
    return ident[:-1] if len(ident) > 2 else ident


def chronology_without(series, tree):
    """(first year, indices) of the site's other trees, each detrended by the
    ratio to its 31-year moving mean, averaged year by year."""
    others = [s for s in series if tree_of(s["id"]) != tree and len(s["values"]) >= 30]
    if len({tree_of(s["id"]) for s in others}) < MIN_OTHERS:
        return None
    first = min(s["first"] for s in others)
    last = max(s["first"] + len(s["values"]) - 1 for s in others)
    total = np.zeros(last - first + 1)
    depth = np.zeros(last - first + 1)
    for s in others:
        k = s["first"] - first
        total[k:k + len(s["values"])] += detrended(s["values"])
        depth[k:k + len(s["values"])] += 1
    return first, np.where(depth > 0, total / np.maximum(depth, 1), 1.0)


def plant(values, kind, rng):
    """(faulty values, the 1-based ring of the faulty series where the true
    break lies, the shift that corrects it) for a fault in the middle 80 %.
    A missed ring: ring q taken out, so ring q+1 of the original is the first
    ring one year off (it stands at position q). A false ring: ring q split
    into two bands (a share u and 1 - u of it), the second band is the false
    ring."""
    n = len(values)
    q = rng.randrange(int(0.1 * n), int(0.9 * n))  # from 0
    if kind == "missing":
        return values[:q] + values[q + 1:], q + 1, 1
    u = rng.uniform(0.3, 0.7)
    return values[:q] + [values[q] * u, values[q] * (1 - u)] + values[q + 1:], q + 2, -1


def cases(real, alps):
    """Per site: (chronologies, cases); each case a dict of the tree's
    chronology index, kind ('clean', 'missing', 'false'), values, the true
    first year on the chronology, and for a fault its ring and shift."""
    rng = random.Random(SEED)
    sites = []
    for site, path in site_files(real, alps):
        series = [longest_clean_stretch(s) for s in read_ring_widths(path)]
        series = [s for s in series if len(s["values"]) > 0]
        long = [s for s in series if len(s["values"]) >= MIN_RINGS]
        rng.shuffle(long)
        chronologies, site_cases = [], []
        for s in long:
            if len(chronologies) == PER_SITE:
                break
            chron = chronology_without(series, tree_of(s["id"]))
            if chron is None or any(tree_of(s["id"]) == tree_of(c["tree"]) for c in chronologies):
                continue
            chronologies.append({"tree": s["id"], "first": chron[0], "values": chron[1]})
            c = len(chronologies) - 1
            values = list(s["values"])
            site_cases.append({"chron": c, "kind": "clean", "values": values, "first": s["first"]})
            for kind in ("missing", "false"):
                faulty, ring, shift = plant(values, kind, rng)
                site_cases.append({"chron": c, "kind": kind, "values": faulty, "first": s["first"],
                                   "ring": ring, "shift": shift})
        if site_cases:
            sites.append((site, chronologies, site_cases))
    return sites
