#!/usr/bin/env python3
"""Dating against a library: how often the library search gives a series its
true years, at which library p, and how often the library p calls a wrong
year a date.

For each ring-width file of the real data folder its series are split in
two halves (every other series, in file order). The first half becomes one
reference of the library, written as a ring-width file (its site mean, as
the library makes one of any ring-width file); the library also holds every
other real file as it is (a chronology file as its chronologies, a
ring-width file as its site mean), except the chronology built from the
same trees (chil015's standard chronology beside chil015's measurements).
The second half, its years hidden (renumbered from 1), is dated against that
library by veska-console --library, whose ranked table (--table) gives
every figure: a series counts as back at its true years when its best
reference (rank 1) puts its last ring on its true last year.

The same series are dated once more against the library without their own
half: nothing of their site is left in it, so a date is right only where a
related site holds their signal (the Colorado bristlecone sites for each
other), and the library p may call a wrong year a date only by chance.

  library_study.py --veska PATH [--real DIR] [--readme PATH] [--keep DIR]

Without --readme the tables are printed; with it they replace the text
between the README's library-study markers.
"""

import argparse
import csv
import math
import os
import shutil
import subprocess
import sys
import tempfile

sys.dont_write_bytecode = True  # leave no cache files in the checkout
from study import splice  # noqa: E402
from tree_ring_files import _integer, read_ring_widths, text_lines, write_decadal  # noqa: E402

TOP = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
MARKERS = ("<!-- library study (bench/validate/library-study.sh writes it) -->",
           "<!-- end of library study -->")
# Files built from another file's trees: never in the library of that file.
SAME_TREES = {"chil015_ficu_tiuchue_rwl.rwl": {"chil015_ficu_tiuchue_std.crn"}}
DATED_LEVEL = 0.01
NEAR_KM = 100


def tree_ring_files(real):
    return sorted(n for n in os.listdir(real) if n.endswith((".rwl", ".crn", ".fh")))


def halves(series):
    return series[0::2], series[1::2]


def header_lines(path):
    """The title lines before a ring-width file's first data line (its site,
    species and place), at most three."""
    header = []
    for line in text_lines(path)[:3]:
        year = _integer(line[8:12])
        if year is not None and line[8:12].strip() and all(_integer(line[12 + 6 * k:18 + 6 * k]) is not None
                                                           for k in range(10)):
            break
        header.append(line.rstrip())
    return header


def build_library(real, folder, own, half=None):
    """The library folder: every real file but `own` and those built from its
    trees, linked; and `half` (series) written as own's half reference, under
    own's title lines."""
    os.makedirs(folder)
    for name in tree_ring_files(real):
        if name != own and name not in SAME_TREES.get(own, ()):
            os.symlink(os.path.join(real, name), os.path.join(folder, name))
    if half is not None:
        path = os.path.join(folder, "half-of-" + own)
        write_decadal(path, [(s["id"], s["first"], [round(v * 1000) for v in s["values"]]) for s in half],
                      thousandths=True)
        with open(path, encoding="utf-8") as f:
            body = f.read()
        with open(path, "w", encoding="utf-8", newline="\n") as f:
            f.write("".join(line + "\n" for line in header_lines(os.path.join(real, own))) + body)


def date(veska, workdir, folder, undated):
    """The ranked table of a library run, as one list of rows per series (in
    the undated file's order), each row a dict of the table's columns."""
    table = os.path.join(workdir, "ranked.csv")
    done = subprocess.run([veska, "--library", folder, undated, "--table", table], cwd=workdir,
                          stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    if done.returncode != 0:
        raise RuntimeError(f"{veska} ended with status {done.returncode} in {workdir}: "
                           f"{done.stderr.decode(errors='replace')}")
    groups = []
    with open(table, newline="", encoding="utf-8") as f:
        for row in csv.DictReader(f):
            if row["rank"] == "1":
                groups.append([])
            groups[-1].append(row)
    return groups


def km(a, b):
    """Great-circle distance between two (latitude, longitude) points."""
    la1, lo1, la2, lo2 = (math.radians(v) for v in (*a, *b))
    h = math.sin((la2 - la1) / 2) ** 2 + math.cos(la1) * math.cos(la2) * math.sin((lo2 - lo1) / 2) ** 2
    return 2 * 6371.0088 * math.asin(min(1.0, math.sqrt(h)))


def judge(rows, true_end, site):
    """What one series' ranked table says: its best row's year right or
    wrong and its library p, whether its best or any reference calls a wrong
    year a date, and how far its best reference lies from `site`."""
    best = rows[0]
    placed = best["end_year"] != ""
    where = (float(best["latitude"]), float(best["longitude"])) if best["latitude"] else None
    return {
        "right": placed and int(best["end_year"]) == true_end,
        "library_p": float(best["library_p"]) if placed else 1.0,
        "best_wrong": best["verdict"] == "dated" and int(best["end_year"]) != true_end,
        "any_wrong": any(r["verdict"] == "dated" and int(r["end_year"]) != true_end for r in rows),
        "near": None if (not placed or site is None or where is None) else km(site, where) <= NEAR_KM,
    }


def own_site(groups):
    """The half reference's place, from its row in any series' table."""
    for rows in groups:
        for r in rows:
            if r["reference"].startswith("half-of-") and r["latitude"]:
                return float(r["latitude"]), float(r["longitude"])
    return None


def study_file(veska, real, name, work):
    """Both runs of one ring-width file: per series, with and without its own half."""
    series = read_ring_widths(os.path.join(real, name))
    reference_half, undated_half = halves(series)
    base = os.path.join(work, name)
    os.makedirs(base)
    undated = os.path.join(base, "undated.rwl")
    write_decadal(undated, [(s["id"], 1, [round(v * 1000) for v in s["values"]]) for s in undated_half],
                  thousandths=True)
    truth = [s["first"] + len(s["values"]) - 1 for s in undated_half]
    found, site = {}, None
    for run, half in (("with", reference_half), ("without", None)):
        folder = os.path.join(base, run)
        build_library(real, folder, name, half)
        groups = date(veska, base, folder, undated)
        if len(groups) != len(truth):
            raise RuntimeError(f"{name}: {len(groups)} series dated, {len(truth)} written")
        site = site or own_site(groups)
        found[run] = [judge(rows, end, site) for rows, end in zip(groups, truth)]
    return found


def percent(part, whole):
    return f"{100.0 * part / whole:.0f} %" if whole else "-"


COUNTS = {
    "right": lambda j: j["right"],
    "dated": lambda j: j["right"] and j["library_p"] < DATED_LEVEL,
    "best_wrong": lambda j: j["best_wrong"],
    "any_wrong": lambda j: j["any_wrong"],
}


def tables(results):
    """The README's lines: one row per file, a total row, then the library p
    of the true years and the provenance of the best references."""
    lines = ["| file | series | best year true | ... and dated | best dated at a wrong year "
             "| any reference dated at a wrong year | best year true | ... and dated | best dated at a wrong year "
             "| any reference dated at a wrong year |",
             "|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|"]
    total = {run: {key: 0 for key in COUNTS} for run in ("with", "without")}
    n = 0
    for name, found in results:
        cells = [name, str(len(found["with"]))]
        n += len(found["with"])
        for run in ("with", "without"):
            for key, count in COUNTS.items():
                value = sum(bool(count(j)) for j in found[run])
                total[run][key] += value
                cells.append(str(value))
        lines.append("| " + " | ".join(cells) + " |")
    cells = [f"**all {len(results)} files**", f"**{n}**"]
    for run in ("with", "without"):
        cells += [f"**{v} ({percent(v, n)})**" for v in total[run].values()]
    lines.append("| " + " | ".join(cells) + " |")

    judged = [j for _, found in results for j in found["with"]]
    bands = ", ".join(f"{sum(j['right'] and j['library_p'] < level for j in judged)} below {level:g}"
                      for level in (0.001, 0.01, 0.05))
    lines += ["", f"Library p of the {total['with']['right']} series whose best reference gives their true years, "
                  f"with their own half in the library: {bands}."]
    for run, words in (("with", "with their own half in the library"), ("without", "with their own site left out")):
        near = [j["near"] for _, found in results for j in found[run] if j["near"] is not None]
        lines.append(f"Best reference within {NEAR_KM} km of the series' own site, {words}: "
                     f"{sum(near)} of {len(near)} series ({percent(sum(near), len(near))}).")
    return lines


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--veska", required=True, help="veska-console to run")
    parser.add_argument("--real", default=os.path.join(TOP, "..", "shared", "data", "real"))
    parser.add_argument("--readme", help="README whose library-study table to replace")
    parser.add_argument("--keep", help="folder to keep the libraries, undated files and tables in")
    args = parser.parse_args()
    veska = os.path.abspath(args.veska)  # the runs start in folders of their own
    if not os.path.isdir(args.real):
        sys.exit(f"no real data folder at {args.real}: the library study needs it")
    work = args.keep or tempfile.mkdtemp(prefix="veska-library-study-")
    try:
        names = [n for n in tree_ring_files(args.real) if n.endswith("_rwl.rwl")]
        results = [(n, study_file(veska, args.real, n, work)) for n in names]
    finally:
        if not args.keep:
            shutil.rmtree(work, ignore_errors=True)
    lines = tables(results)
    if args.readme:
        splice(args.readme, MARKERS, lines)
    else:
        print("\n".join(lines))


if __name__ == "__main__":
    main()
