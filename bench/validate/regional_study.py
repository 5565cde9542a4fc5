#!/usr/bin/env python3
"""The regional study: every ring-width series of a regional folder of real
files, its years hidden, dated against the other files of the folder with
its own site's files taken out, as a dendrochronologist dates wood against
a regional library.

A site comes as a family of files sharing the site's stem (aust005.rwl,
aust005e.rwl, aust005l.rwl, aust005n.rwl, aust005x.rwl: the ring widths,
earlywood and latewood widths, minimum and maximum density of the same
trees). The series dated are those of the site's ring-width files: the
first header line names WIDTH_RING, or names no measured variable and the
file name carries no variable letter after the site number. Each series is
cut to its longest stretch without missing values (below 0), kept when that
stretch has 50 rings or more, and renumbered from year 1. All series of one
site go into one undated file, dated by one run of veska-console --library
against a folder of links to every file of the folder but the site's family
(whatever their variable: which files the library uses is veska's choice).

A series' best reference (rank 1 of the ranked table, --table) gives its
true year when it puts the series' last ring on its true last year; it is
dated when that row's library p is below 0.01.

  regional_study.py --veska PATH [--data DIR] [--jobs N] [--every K]
                    [--readme PATH] [--details CSV] [--keep DIR]

--every K dates only every K-th site (in name order, from the first): a
deterministic subsample for a quick look. Without --readme the table is
printed; with it, it replaces the text between the README's markers.
"""

import argparse
import csv
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
from multiprocessing import Pool

sys.dont_write_bytecode = True  # leave no cache files in the checkout
from study import splice  # noqa: E402
from tree_ring_files import _integer, text_lines, write_decadal  # noqa: E402

TOP = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
MARKERS = ("<!-- regional study (bench/validate/regional-study.sh writes it) -->",
           "<!-- end of regional study -->")
DATED_LEVEL = 0.01
MIN_RINGS = 50
VARIABLE_WORD = re.compile(r"\b(?:WIDTH|DENSITY|LATEWOOD|EARLYWOOD)_[A-Z_]+\b")
STEM = re.compile(r"^([a-z]+\d+)([a-z]*)\.rwl$", re.IGNORECASE)


def site_of(name):
    """The site stem and the letters after its number, or None."""
    m = STEM.match(name)
    return (m.group(1).lower(), m.group(2).lower()) if m else None


def variable_of(path):
    """The measured variable the first header line names, or None."""
    lines = text_lines(path)
    m = VARIABLE_WORD.search(lines[0]) if lines else None
    return m.group(0) if m else None


def is_ring_width(path, suffix):
    variable = variable_of(path)
    return variable == "WIDTH_RING" or (variable is None and suffix in ("", "w"))


def read_cells(path):
    """Series of a decadal ring-width file as (first year, whole cells, unit
    exponent): cells as written (hundredths end with 999, thousandths with
    -9999), missing values (below 0) kept."""
    series, current = [], None
    for line in text_lines(path):
        ident, year_text = (line[:7], line[7:12]) if line[7] == "-" else (line[:8], line[8:12])
        year = _integer(year_text)
        fields = [_integer(line[12 + 6 * k:18 + 6 * k]) for k in range(11)]
        if year is None or year_text.strip() == "" or None in fields[:10]:
            continue
        if current is None or current["id"] != ident.strip():
            current = {"id": ident.strip(), "first": year, "cells": []}
        count = 10 - year % 10 if not current["cells"] else 10
        for k, v in enumerate(fields[:count + 1]):
            if v in (999, -9999) and (k < count or k == 10 or not current["cells"]):
                series.append((current["first"], current["cells"], v == -9999))
                current = None
                break
            if k < count:
                current["cells"].append(v)
    return series


def longest_measured(first, cells):
    """The longest stretch of cells of 0 or more (the earliest of equal
    ones), as (first year, cells)."""
    best, start = (first, []), None
    for k, v in enumerate(cells + [-1]):
        if v >= 0 and start is None:
            start = k
        elif v < 0 and start is not None:
            if k - start > len(best[1]):
                best = (first + start, cells[start:k])
            start = None
    return best


def sites(data):
    """{stem: [file names]} of every file of the folder with a site stem."""
    family = {}
    for name in sorted(os.listdir(data)):
        s = site_of(name)
        if s:
            family.setdefault(s[0], []).append(name)
    return family


def undated_series(data, names):
    """The site's series to date: (name, true last year, cells in
    thousandths) for each ring-width series with 50 measured rings or more."""
    out = []
    for name in names:
        path = os.path.join(data, name)
        if not is_ring_width(path, site_of(name)[1]):
            continue
        for first, cells, thousandths in read_cells(path):
            start, kept = longest_measured(first, cells)
            if len(kept) >= MIN_RINGS:
                out.append((name, start + len(kept) - 1, [v if thousandths else 10 * v for v in kept]))
    return out


def date_site(task):
    """One run: the site's series against the folder without its family.
    Returns one judgement per series."""
    veska, data, stem, family, everything, work = task
    series = undated_series(data, family)
    if not series:
        return stem, []
    base = os.path.join(work, stem)
    library = os.path.join(base, "library")
    os.makedirs(library)
    for name in everything:
        if name not in family:
            os.symlink(os.path.join(data, name), os.path.join(library, name))
    undated = os.path.join(base, "undated.rwl")
    write_decadal(undated, [(f"S{k:04d}", 1, cells) for k, (_, _, cells) in enumerate(series)], thousandths=True)
    table = os.path.join(base, "ranked.csv")
    done = subprocess.run([veska, "--library", library, undated, "--table", table], cwd=base,
                          stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    if done.returncode != 0:
        raise RuntimeError(f"{stem}: {veska} ended with status {done.returncode}: "
                           f"{done.stderr.decode(errors='replace')}")
    best = {}
    with open(table, newline="", encoding="utf-8") as f:
        for row in csv.DictReader(f):
            if row["rank"] == "1":
                best[row["series"]] = row
    judged = []
    for k, (name, true_end, cells) in enumerate(series):
        row = best.get(f"S{k:04d}")
        placed = row is not None and row["end_year"] != ""
        p = float(row["library_p"]) if placed else 1.0
        judged.append({"site": stem, "file": name, "series": k, "rings": len(cells), "true_end": true_end,
                       "end_year": int(row["end_year"]) if placed else None,
                       "reference": row["reference"] if placed else "", "t": row["t"] if placed else "",
                       "overlap": row["overlap"] if placed else "", "library_p": p})
    return stem, judged


def percent(part, whole):
    return f"{100.0 * part / whole:.1f} %" if whole else "-"


def variable_named(data, reference):
    """The measured variable of a reference's file, as its header names it
    (by the file's letter after the site number when it names none)."""
    name = reference.split(":")[0]
    path = os.path.join(data, name)
    variable = variable_of(path) if os.path.exists(path) else None
    if variable:
        return variable
    suffix = (site_of(name) or ("", ""))[1]
    return "no word" + (f" ({suffix})" if suffix else "")


def table_lines(judged, sites_dated, seconds, every, data, jobs):
    n = len(judged)
    right = [j for j in judged if j["end_year"] == j["true_end"]]
    dated = [j for j in judged if j["end_year"] is not None and j["library_p"] < DATED_LEVEL]
    dated_right = [j for j in dated if j["end_year"] == j["true_end"]]
    dated_wrong = [j for j in dated if j["end_year"] != j["true_end"]]
    sample = "every site" if every == 1 else f"every {every}th site (a subsample)"
    lines = [f"{n} series of {sites_dated} sites ({sample}); {seconds:.0f} s on {jobs} jobs.", "",
            "| series | best reference at the true year | dated at the true year | dated at a wrong year (% of dated) |",
            "|---:|---:|---:|---:|",
            f"| {n} | {len(right)} ({percent(len(right), n)}) | {len(dated_right)} ({percent(len(dated_right), n)}) "
            f"| {len(dated_wrong)} ({percent(len(dated_wrong), len(dated))}) |"]
    kinds = {}
    for j in dated_wrong:
        kind = variable_named(data, j["reference"])
        kinds[kind] = kinds.get(kind, 0) + 1
    if kinds:
        lines += ["", "Dated at a wrong year, by the measured variable of the best reference's file: " +
                  ", ".join(f"{k} {v}" for k, v in sorted(kinds.items(), key=lambda kv: (-kv[1], kv[0]))) + "."]
    return lines


def write_details(path, judged):
    keys = ["site", "file", "series", "rings", "true_end", "end_year", "reference", "t", "overlap", "library_p"]
    with open(path, "w", newline="", encoding="utf-8") as f:
        w = csv.DictWriter(f, fieldnames=keys)
        w.writeheader()
        for j in judged:
            w.writerow(j)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--veska", required=True, help="veska-console to run")
    parser.add_argument("--data", default=os.path.join(TOP, "..", "shared", "data", "itrdb-alps"))
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--every", type=int, default=1, help="date only every K-th site")
    parser.add_argument("--readme", help="README whose regional-study table to replace")
    parser.add_argument("--details", help="CSV of every series' best reference")
    parser.add_argument("--keep", help="folder to keep the libraries, undated files and tables in")
    args = parser.parse_args()
    veska = os.path.abspath(args.veska)
    if not os.path.isdir(args.data):
        sys.exit(f"no regional data folder at {args.data}: the regional study needs it")
    family = sites(args.data)
    everything = [n for names in family.values() for n in names]
    stems = sorted(family)[::args.every]
    work = args.keep or tempfile.mkdtemp(prefix="veska-regional-study-")
    tasks = [(veska, args.data, stem, family[stem], everything, work) for stem in stems]
    began = time.monotonic()
    try:
        with Pool(args.jobs) as pool:
            results = pool.map(date_site, tasks, chunksize=1)
    finally:
        if not args.keep:
            shutil.rmtree(work, ignore_errors=True)
    seconds = time.monotonic() - began
    judged = [j for _, js in sorted(results) for j in js]
    if args.details:
        write_details(args.details, judged)
    lines = table_lines(judged, sum(1 for _, js in results if js), seconds, args.every, args.data, args.jobs)
    if args.readme:
        splice(args.readme, MARKERS, lines)
    print("\n".join(lines))


if __name__ == "__main__":
    main()
