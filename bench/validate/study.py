#!/usr/bin/env python3
"""How often does veska find the true date? A validation study.

Synthetic part: pairs with known dates (see synthetic.py), over a grid of
overlaps and signal-to-noise ratios, every pair crossdated by its own run of
the real veska-console; then, per cell, the share of pairs whose best
placement (slot 1) is the true one, whose true placement is among the three
reported, and that are starred at a wrong placement, and the median t at the
true placement.

Real part: real series whose dates are known, crossdated with their years
hidden from the method (veska places a series by its values alone; the years
in a file only label the rings in the report), counting those that come back
to their true years; and the calibration of p_chance, the margin and the
verdict on hundreds of real pairs of unrelated sites and with known dates
(real_pairs.py, trust_study.py), with its plot.

  study.py --veska PATH [--real DIR] [--png PATH] [--calibration-png PATH]
           [--readme PATH] [--jobs N] [--real-only]
  study.py --veska PATH --smoke

Without --readme the tables are printed; with it they replace the text
between the README's validation markers. The real data folder defaults to
../shared/data/real beside the checkout; when it is missing that part is
skipped. Everything written depends only on the seeds below (and on veska).
--smoke runs two small cells and checks that the machinery finds the true
date where it cannot be missed; --real-only leaves the synthetic part (and
its tables and plot) as they are.
"""

import argparse
import math
import os
import shutil
import subprocess
import sys
import tempfile
import time
from multiprocessing import Pool

sys.dont_write_bytecode = True  # leave no cache files in the checkout
import synthetic  # noqa: E402
from tree_ring_files import read_heidelberg, read_pair_lines, read_pair_table, write_decadal  # noqa: E402

SEED = "veska validation study 1"
OVERLAPS = (50, 75, 100, 150, 200, 300, 500)
SNRS = (0.0, 0.15, 0.3, 0.6, 1.0, 2.0)
PAIRS = 500
SMOKE_CELLS = ((2.0, 300), (0.15, 50))
SMOKE_PAIRS = 12
STAR = 3.5

FLOATING_ID, DATED_ID = "FLOAT", "DATED"
TOP = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
SYNTHETIC_MARKERS = ("<!-- validation: synthetic table (bench/validate/run.sh writes it) -->",
                     "<!-- end of synthetic table -->")
REAL_MARKERS = ("<!-- validation: real-data table (bench/validate/run.sh writes it) -->",
                "<!-- end of real-data table -->")
TRUST_MARKERS = ("<!-- validation: p_chance calibration (bench/validate/run.sh writes it) -->",
                 "<!-- end of p_chance calibration -->")


def run_veska(veska, workdir, undated, undated_kind, dated, dated_kind, table=False):
    """One whole run of the terminal host in workdir; returns VESKA.OUT's pair
    lines, and with `table` also the pair table's slot-1 p_chance of each pair
    by its two identifiers. File names are given relative to workdir."""
    answers = f"{undated}\n{undated_kind}\nY\n{dated}\n{dated_kind}\n\n"
    command = [veska, "--table", "pairs.csv"] if table else [veska]
    done = subprocess.run(command, cwd=workdir, input=answers.encode(),
                          stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    if done.returncode != 0:
        raise RuntimeError(f"veska-console ended with status {done.returncode} in {workdir}: "
                           f"{done.stderr.decode(errors='replace')}")
    pairs = read_pair_lines(os.path.join(workdir, "VESKA.OUT"))
    if not table:
        return pairs
    chance = {(r["series_a"], r["series_b"]): r["p_chance"]
              for r in read_pair_table(os.path.join(workdir, "pairs.csv")) if r["slot"] == 1}
    return pairs, chance


def true_slot(slots, lag):
    """Index of the slot whose placement is the true one, or None. A placement
    is fixed by the difference of the two last rings compared."""
    for k, (last1, last2, _, _, _) in enumerate(slots):
        if last1 - last2 == lag:
            return k
    return None


def one_pair(job):
    """Generates pair `index` of a cell, crossdates it and returns what the
    tally needs: (true slot or None, starred, t at the true placement or None,
    slot 3's t, which bounds it from above when it was not reported)."""
    veska, workroot, snr, overlap, index = job
    dated, floating, offset = synthetic.pair(f"{SEED}/{snr}/{overlap}/{index}", snr, overlap)
    workdir = os.path.join(workroot, f"w{os.getpid()}")
    os.makedirs(workdir, exist_ok=True)
    write_decadal(os.path.join(workdir, "d.rwl"), [(DATED_ID, synthetic.DATED_FIRST_YEAR, dated)])
    write_decadal(os.path.join(workdir, "f.rwl"), [(FLOATING_ID, 1, floating)])
    pairs = run_veska(veska, workdir, "f.rwl", "M", "d.rwl", "M")
    if len(pairs) != 1 or pairs[0][:2] != (DATED_ID, FLOATING_ID):
        raise RuntimeError(f"expected one pair line in {workdir}/VESKA.OUT, read {pairs}")
    _, _, star, slots = pairs[0]
    # The floating ring 1 grew in the dated year DATED_FIRST_YEAR + offset.
    k = true_slot(slots, synthetic.DATED_FIRST_YEAR + offset - 1)
    return k, star, None if k is None else slots[k][4], slots[2][4]


def median_low(values):
    ordered = sorted(values)
    return ordered[(len(ordered) - 1) // 2]


def tally(results):
    """Shares of the cell's pairs, and the median t at the true placement. When
    the true placement is not among the three reported, its t is known only to
    be at most slot 3's t; the median is exact when no such bound can move it,
    and shown as an upper bound ("<= x") otherwise."""
    n = len(results)
    hits = sum(1 for k, _, _, _ in results if k == 0)
    in_three = sum(1 for k, _, _, _ in results if k is not None)
    false_stars = sum(1 for k, star, _, _ in results if star and k != 0)
    known = [t for k, _, t, _ in results if k is not None]
    bounds = [b for k, _, _, b in results if k is None]
    high = median_low(known + bounds)
    low = median_low(known + [-math.inf] * len(bounds))
    median = f"{high:.1f}" if low == high else f"\u2264 {high:.1f}"
    return {"pairs": n, "hit": hits / n, "in_three": in_three / n,
            "false_star": false_stars / n, "median_t": median}


def run_cells(veska, cells, pairs, jobs):
    work = tempfile.mkdtemp(prefix="veska-validate-")
    try:
        tasks = [(veska, work, snr, overlap, i) for snr, overlap in cells for i in range(pairs)]
        with Pool(jobs) as pool:
            results = pool.map(one_pair, tasks, chunksize=16)
    finally:
        shutil.rmtree(work, ignore_errors=True)
    return {cell: tally(results[c * pairs:(c + 1) * pairs]) for c, cell in enumerate(cells)}


def snr_label(snr):
    """The ratio, and the correlation s/(1+s) it gives two trees' log widths
    about their trends."""
    if snr == 0:
        return "0 (no common signal)"
    return f"{snr:g} (r {snr / (1 + snr):.2f})".replace("r 0.", "r .")


def synthetic_tables(figures, snrs, overlaps, pairs):
    """One small table per figure: a row per signal-to-noise ratio, a column per overlap."""
    def table(title, cell):
        head = "| signal-to-noise | " + " | ".join(f"{o}" for o in overlaps) + " |"
        rule = "|---|" + "---:|" * len(overlaps)
        rows = [f"| {snr_label(s)} | " + " | ".join(cell(figures[(s, o)]) for o in overlaps) + " |"
                for s in snrs]
        return [f"**{title}**, by overlap in rings:", "", head, rule] + rows + [""]

    percent = lambda key: (lambda f: f"{100 * f[key]:.1f}")
    out = [f"{pairs} independent pairs per cell; percentages of the cell's pairs.", ""]
    out += table("Best placement (slot 1) is the true date, %", percent("hit"))
    out += table("True date among the three placements reported, %", percent("in_three"))
    out += table("Starred at a wrong placement (false star), %", percent("false_star"))
    out += table("Median t at the true placement", lambda f: f["median_t"])
    return out


def plot(figures, snrs, overlaps, path):
    import matplotlib
    matplotlib.use("Agg")
    import matplotlib.pyplot as plt

    fig, (left, right) = plt.subplots(1, 2, figsize=(12, 4.2), dpi=100)
    for snr in snrs:
        label = f"s = {snr_label(snr)}"
        left.plot(overlaps, [100 * figures[(snr, o)]["hit"] for o in overlaps], marker="o",
                  label=label)
        right.plot(overlaps, [100 * figures[(snr, o)]["false_star"] for o in overlaps],
                   marker="o", label=label)
    for ax, title in ((left, "Best placement is the true date"),
                      (right, "Starred at a wrong placement")):
        ax.set_xscale("log")
        ax.set_xticks(overlaps)
        ax.set_xticklabels([str(o) for o in overlaps])
        ax.minorticks_off()
        ax.set_xlabel("overlap (rings)")
        ax.set_ylabel("% of pairs")
        ax.set_title(title)
        ax.grid(True, alpha=0.3)
        ax.set_ylim(0, 100)
    handles, labels = left.get_legend_handles_labels()
    fig.legend(handles, labels, loc="center right", title="signal-to-noise", fontsize="small")
    fig.tight_layout(rect=(0, 0, 0.8, 1))
    # No version text in the file, so the same figures give the same bytes.
    fig.savefig(path, format="png", metadata={"Software": None})
    plt.close(fig)


def real_tally(run, lags, overlaps):
    """Counts over real pairs; run is run_veska's pair lines and p_chance;
    lags[(first, second)] is the difference of the last rings compared at the
    true placement, overlaps[...] its overlap (no overlaps: every true
    placement has 50 rings or more in common)."""
    pairs, chance = run
    searchable = hits = starred = likely = in_three = false_stars = false_likely = 0
    for first, second, star, slots in pairs:
        if overlaps is not None and overlaps[(first, second)] < 50:
            continue  # placements with under 50 rings in common are never tried
        searchable += 1
        k = true_slot(slots, lags[(first, second)])
        below = chance[(first.strip(), second.strip())] < 0.05
        hits += k == 0
        starred += k == 0 and star
        likely += k == 0 and below
        in_three += k is not None
        false_stars += star and k != 0
        false_likely += below and k != 0
    return {"pairs": len(pairs), "searchable": searchable, "hit": hits, "hit_star": starred,
            "hit_likely": likely, "in_three": in_three, "false_star": false_stars,
            "false_likely": false_likely}


def chil015(veska, real, work):
    """Each measured series of the site against the site's own chronology."""
    shutil.copy(os.path.join(real, "chil015_ficu_tiuchue_rwl.rwl"), os.path.join(work, "c.rwl"))
    shutil.copy(os.path.join(real, "chil015_ficu_tiuchue_std.crn"), os.path.join(work, "c.crn"))
    run = run_veska(veska, work, "c.rwl", "M", "c.crn", "I", table=True)
    # Both files carry calendar years: the true placement compares the same year last.
    lags = {(p[0], p[1]): 0 for p in run[0]}
    # The chronology spans every series' years, so each series overlaps it whole
    # (104 rings or more).
    return real_tally(run, lags, None)


def doel1(veska, real, work):
    """The Heidelberg file's single timbers, their years replaced by ring
    numbers from 1, against its three dated mean curves (made of other
    timbers)."""
    series = read_heidelberg(os.path.join(real, "doel1_qusp_shiptimbers_heidelberg.fh"))
    trees = [s for s in series if s.get("DataFormat") == "Tree"]
    means = [s for s in series if s.get("DataFormat") == "Chrono"]
    write_decadal(os.path.join(work, "t.rwl"), [(s["KeyCode"], 1, s["values"]) for s in trees])
    write_decadal(os.path.join(work, "m.rwl"),
                  [(s["KeyCode"], int(s["DateBegin"]), s["values"]) for s in means])
    lags, overlaps = {}, {}
    for m in means:
        for t in trees:
            key = (m["KeyCode"][:8], t["KeyCode"][:8])
            lags[key] = int(t["DateBegin"]) - 1
            overlaps[key] = (min(int(m["DateEnd"]), int(t["DateEnd"]))
                             - max(int(m["DateBegin"]), int(t["DateBegin"])) + 1)
    run = run_veska(veska, work, "t.rwl", "M", "m.rwl", "M", table=True)
    return real_tally(run, lags, overlaps), trees, len(means)


def real_table(veska, real):
    work = tempfile.mkdtemp(prefix="veska-validate-real-")
    try:
        for sub in ("chil", "doel"):
            os.makedirs(os.path.join(work, sub))
        chil = chil015(veska, real, os.path.join(work, "chil"))
        doel, trees, n_means = doel1(veska, real, os.path.join(work, "doel"))
    finally:
        shutil.rmtree(work, ignore_errors=True)
    rows = [
        ("chil015 (Tiuchue alerce, Chile): each measured series against the site's standard "
         "chronology", chil),
        (f"Doel 1 ship timbers (oak, Heidelberg file): {len(trees)} single timbers, years removed, "
         f"against the file's {n_means} dated mean curves", doel),
    ]
    out = ["| collection | pairs | true overlap of 50 rings or more | true date in slot 1 "
           "| ... and starred | ... and p_chance < 0.05 | true date among the three "
           "| starred at a wrong placement | p_chance < 0.05 at a wrong placement |",
           "|---|---:|---:|---:|---:|---:|---:|---:|---:|"]
    for name, f in rows:
        out.append(f"| {name} | {f['pairs']} | {f['searchable']} | {f['hit']} | {f['hit_star']} "
                   f"| {f['hit_likely']} | {f['in_three']} | {f['false_star']} | {f['false_likely']} |")
    from trust_study import doel_median_t
    median, count = doel_median_t(trees)
    return out + ["", f"The Doel 1 single timbers against each other at the years the file gives them "
                      f"({count} pairs with 50 rings or more in common): median t {median:.2f}.", ""]


def splice(readme, markers, lines):
    with open(readme, encoding="utf-8") as f:
        text = f.read()
    begin, end = markers
    if begin not in text or end not in text:
        sys.exit(f"{readme} lacks the markers {begin} ... {end}")
    head, rest = text.split(begin, 1)
    _, tail = rest.split(end, 1)
    with open(readme, "w", encoding="utf-8", newline="\n") as f:
        f.write(head + begin + "\n" + "\n".join(lines) + "\n" + end + tail)


def smoke(veska):
    """Two small cells. The easy one (strong signal, long overlap) must come out
    at its true date, starred, in every pair: if it does not, the study no longer
    knows where the true date is, or veska no longer finds it."""
    figures = run_cells(veska, SMOKE_CELLS, SMOKE_PAIRS, 2)
    easy, hard = (figures[c] for c in SMOKE_CELLS)
    for cell in SMOKE_CELLS:
        print(cell, figures[cell])
    if easy["hit"] != 1 or easy["false_star"] != 0 or hard["pairs"] != SMOKE_PAIRS:
        sys.exit("smoke run: the easy cell did not come back to its true dates")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--veska", required=True, help="the veska-console program")
    parser.add_argument("--real", default=os.path.join(TOP, "..", "shared", "data", "real"),
                        help="folder of the real data files")
    parser.add_argument("--png", help="where to write the plot")
    parser.add_argument("--calibration-png", help="where to write the plot of p_chance's calibration")
    parser.add_argument("--readme", help="README whose validation tables to replace")
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--smoke", action="store_true")
    parser.add_argument("--real-only", action="store_true")
    args = parser.parse_args()
    veska = os.path.abspath(args.veska)
    if args.smoke:
        smoke(veska)
        return

    start = time.monotonic()
    synthetic_lines = None
    if not args.real_only:
        cells = [(s, o) for s in SNRS for o in OVERLAPS]
        figures = run_cells(veska, cells, PAIRS, args.jobs)
        synthetic_lines = synthetic_tables(figures, SNRS, OVERLAPS, PAIRS)
        print(f"synthetic part: {len(cells) * PAIRS} pairs in {time.monotonic() - start:.1f} s",
              file=sys.stderr)
        if args.png:
            plot(figures, SNRS, OVERLAPS, args.png)

    real_lines = trust_lines = None
    if os.path.isdir(args.real):
        # numpy and scipy only here: the smoke run needs neither.
        import real_pairs
        import trust_study
        real_lines = real_table(veska, args.real)
        halves = real_pairs.collect(veska, args.real, args.jobs)
        trust_lines = trust_study.tables(halves)
        if args.calibration_png:
            trust_study.plot(halves, args.calibration_png)
    else:
        print(f"real data part skipped: no folder {args.real}", file=sys.stderr)

    if args.readme:
        if synthetic_lines is not None:
            splice(args.readme, SYNTHETIC_MARKERS, synthetic_lines)
        if real_lines is not None:
            splice(args.readme, REAL_MARKERS, real_lines)
            splice(args.readme, TRUST_MARKERS, trust_lines)
    else:
        print("\n".join((synthetic_lines or []) + (real_lines or []) + (trust_lines or [])))
    print(f"whole study: {time.monotonic() - start:.1f} s", file=sys.stderr)


if __name__ == "__main__":
    main()
