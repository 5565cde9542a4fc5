#!/usr/bin/env python3
"""Writes veska's own sample data files into data/.

All series are made up. One common climate signal drives every tree; each
tree adds its own persistent noise and an age trend, so the floating series
crossdate against each other and against the dated series at their true
places. The script checks that before it writes anything.

  data/dated.rwl      5 dated ring-width series (decadal layout, 999 markers)
  data/undated.rwl    5 floating ring-width series, numbered from year 1001;
                      one is in thousandths (-9999 marker)
  data/index.crn      2 index series of the dated trees (index layout)
  data/formatted.dat  3 floating series in the format-driven layout

Usage: scripts/make-sample-data.py [output-dir]   (default: data/ of the checkout)
The output depends only on SEED, so running it again rewrites the same bytes.
"""

import math
import os
import random
import sys

SEED = 1708
FIRST, LAST = 1550, 2000
FLOAT_START = 1001  # the year the floating files give every floating series

# (identifier, first year, last year, widths in thousandths?)
DATED = [
    ("VSK01A", 1602, 1899, False),
    ("VSK02A", 1651, 1950, False),
    ("VSK03B", 1703, 1985, False),
    ("VSK04A", 1750, 1996, False),
    ("VSK05C", 1585, 1800, False),
]
FLOATING = [
    ("FLT101", 1688, 1847, False),
    ("FLT102", 1730, 1929, False),
    ("FLT103", 1801, 1960, True),
    ("FLT104", 1640, 1769, False),
    ("FLT105", 1855, 1944, False),
]
FORMATTED = ["FLT101", "FLT102", "FLT104"]

rng = random.Random(SEED)


def climate_signal():
    signal, prev = {}, 0.0
    for year in range(FIRST, LAST + 1):
        prev = 0.3 * prev + rng.gauss(0.0, 1.0)
        signal[year] = prev
    return signal


CLIMATE = climate_signal()


def grow(first, last):
    """Ring widths in mm: age trend x exp(climate + the tree's own AR(1) noise)."""
    base = rng.uniform(0.8, 2.0)
    decay = rng.uniform(30.0, 90.0)
    widths, own = [], 0.0
    for age, year in enumerate(range(first, last + 1)):
        own = 0.4 * own + rng.gauss(0.0, 0.25)
        trend = base * (0.4 + math.exp(-age / decay))
        widths.append(min(trend * math.exp(0.25 * CLIMATE[year] + own), 8.5))
    return widths


def decadal_lines(ident, first, values, marker, cell):
    """Lines of the ring-width layout: 8-character identifier, 4-wide year,
    ten 6-wide values; the first line holds the years up to the end of its
    decade, left-aligned."""
    cells = values + [marker]
    lines, row = [], []
    for k, v in enumerate(cells):
        year = first + k
        row.append(v)
        if (year + 1) % 10 == 0 or k == len(cells) - 1:
            start = year - len(row) + 1
            lines.append(f"{ident:<8}{start:4d}" + "".join(f"{x:{cell}d}" for x in row))
            row = []
    return lines


def ring_width_file(trees, header):
    lines = list(header)
    for ident, first, widths, micro in trees:
        scale, marker = (1000, -9999) if micro else (100, 999)
        ints = [max(1, round(w * scale)) for w in widths]
        lines += decadal_lines(ident, first, ints, marker, 6)
    return lines


def index_lines(ident, first, last, index, depth):
    """Index layout: 6-character identifier, 4-wide year, ten (4-wide index,
    3-wide count) pairs; the first line's values stand in their years' slots
    behind the filler 9990, and 9990 after the last year ends the series."""
    lines = []
    for decade in range(first - first % 10, last + 11, 10):
        cells = []
        for year in range(decade, decade + 10):
            if first <= year <= last:
                cells.append(f"{index[year]:4d}{depth[year]:3d}")
            else:
                cells.append(f"{9990:4d}{0:3d}")
        lines.append(f"{ident:<6}{max(decade, first):4d}" + "".join(cells))
        if decade + 9 >= last + 1:
            break
    return lines


def chronologies(dated):
    """A standard chronology (mean of widths / age trend) and a residual one
    (mean of first differences of log widths), both x 1000."""
    std, res, depth = {}, {}, {}
    for year in range(FIRST, LAST + 1):
        ratios, diffs = [], []
        for _, first, widths, _ in dated:
            k = year - first
            if 0 <= k < len(widths):
                window = widths[max(0, k - 15): k + 16]
                ratios.append(widths[k] / (sum(window) / len(window)))
                if k >= 1:
                    diffs.append(math.log(widths[k] / widths[k - 1]))
        if ratios:
            std[year] = round(1000 * sum(ratios) / len(ratios))
            res[year] = round(1000 + 1000 * sum(diffs) / len(diffs)) if diffs else 1000
            depth[year] = len(ratios)
    return std, res, depth


def formatted_lines(floating):
    lines = []
    for ident, _, widths, _ in floating:
        title = f"{ident:<8}ring widths in mm, format-driven layout"
        lines.append(f"{title:<79}#")
        # Columns 1-2 "N ", 3-10 the count, 13-20 the first year, 23-30 the layout.
        lines.append(f"N {len(widths):8d}  {FLOAT_START:8d}  (10F8.3)")
        for k in range(0, len(widths), 10):
            lines.append("".join(f"{w:8.3f}" for w in widths[k: k + 10]))
    return lines


def prewhiten(widths):
    return [math.log(widths[k] / widths[k - 1]) for k in range(1, len(widths))]


def t_value(a, b):
    n = len(a)
    ma, mb = sum(a) / n, sum(b) / n
    sab = sum((x - ma) * (y - mb) for x, y in zip(a, b))
    saa = sum((x - ma) ** 2 for x in a)
    sbb = sum((y - mb) ** 2 for y in b)
    r = sab / math.sqrt(saa * sbb)
    return r * math.sqrt((n - 2) / (1 - r * r))


def best_placement(floating, fixed, fixed_first):
    """Year at which `floating` starts in `fixed`'s years at its best t, over
    every placement with at least 50 values of overlap."""
    f, m = prewhiten(floating), prewhiten(fixed)
    best = None
    for shift in range(-(len(f) - 50), len(m) - 50 + 1):
        lo, hi = max(0, shift), min(len(m), shift + len(f))
        t = t_value(f[lo - shift: hi - shift], m[lo:hi])
        if best is None or t > best[0]:
            best = (t, fixed_first + shift)
    return best


def check_crossdating(dated, floating):
    master_first = min(first for _, first, _, _ in dated)
    master_last = max(first + len(w) - 1 for _, first, w, _ in dated)
    master = []
    for year in range(master_first, master_last + 1):
        vals = [w[year - first] for _, first, w, _ in dated if 0 <= year - first < len(w)]
        master.append(math.exp(sum(math.log(v) for v in vals) / len(vals)))
    for ident, first, widths, _ in floating:
        t, year = best_placement(widths, master, master_first)
        print(f"  {ident}: best against the dated mean from {year} (true {first}), t = {t:.1f}")
        if year != first or t < 3.5:
            sys.exit(f"{ident} does not crossdate at its true place: change SEED")


def write(path, lines):
    with open(path, "w", newline="\n") as out:
        out.write("\n".join(lines) + "\n")


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    outdir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "data")
    dated = [(i, f, grow(f, l), m) for i, f, l, m in DATED]
    floating = [(i, f, grow(f, l), m) for i, f, l, m in FLOATING]
    print("checking that the floating series crossdate:")
    check_crossdating(dated, floating)

    header = [
        "VSKD   1 Veska sample site (made-up data)                        PISY",
        "VSKD   2 Nowhere        Pinus sylvestris     500M  4500-01000    __    1585 1996",
        "VSKD   3 Generated by scripts/make-sample-data.py",
    ]
    write(os.path.join(outdir, "dated.rwl"), ring_width_file(dated, header))

    relabelled = [(i, FLOAT_START, w, m) for i, _, w, m in floating]
    header = ["Floating samples of a made-up beam; years numbered from 1001"]
    write(os.path.join(outdir, "undated.rwl"), ring_width_file(relabelled, header))

    std, res, depth = chronologies(dated)
    first, last = min(std), max(std)
    lines = []
    for ident, index, kind in (("VSKSTD", std, "standard"), ("VSKRES", res, "residual")):
        lines += [
            f"{ident} 1 Veska sample site, {kind} chronology (made-up data)",
            f"{ident} 2 Nowhere        Pinus sylvestris     500M  4500-01000    __    {first} {last}",
            f"{ident} 3 Generated by scripts/make-sample-data.py",
        ]
        lines += index_lines(ident, first, last, index, depth)
    write(os.path.join(outdir, "index.crn"), lines)

    chosen = [(i, FLOAT_START, w, m) for i, _, w, m in floating if i in FORMATTED]
    write(os.path.join(outdir, "formatted.dat"), formatted_lines(chosen))


if __name__ == "__main__":
    main()
