"""The break study: how often veska's break check finds a planted missed or
false ring, where, and how often it flags a clean series. The cases are
break_cases.py's (series of 150 rings or more of the shared real ring-width
files and the Alpine library, one fault planted in the middle 80 %, against
their own site's chronology built without their tree, and the same series
unmodified as clean controls); each site is one run of veska-console --table
with the chronologies as dated series and the cases, their years hidden, as
undated ones; the pair table gives every figure.

  break_study.py --veska PATH [--real DIR] [--alps DIR] [--readme PATH]

Without --readme the table is printed; with it, it replaces the text between
the README's markers."""

import argparse
import os
import shutil
import sys
import tempfile
from multiprocessing import Pool

import break_cases
from real_pairs import run_table, by_pair
from study import splice

MARKERS = ("<!-- break study (bench/validate/break-study.sh writes it) -->",
           "<!-- end of break study -->")
YEAR_SHIFT = 5000
NEAR = 5


def site_job(args):
    """One run for a site: a record per case with its slot 1 row."""
    veska, workroot, site, chronologies, cases = args
    work = tempfile.mkdtemp(dir=workroot)
    shift = YEAR_SHIFT if min(c["first"] for c in chronologies) < 1 else 0
    dated = [(f"C{k:03d}", c["first"] + shift, c["values"]) for k, c in enumerate(chronologies)]
    floating = [(f"S{k:03d}", 1, c["values"]) for k, c in enumerate(cases)]
    rows = by_pair(run_table(veska, work, floating, dated))
    shutil.rmtree(work, ignore_errors=True)
    out = []
    for k, case in enumerate(cases):
        pair = rows.get((f"C{case['chron']:03d}", f"S{k:03d}"))
        out.append({"site": site, "kind": case["kind"], "ring": case.get("ring"), "shift": case.get("shift"),
                    "row": pair[0] if pair else None})
    return out


def flagged(record):
    return record["row"] is not None and record["row"]["check"] == "break"


def right(record):
    return flagged(record) and int(record["row"]["break_shift"]) == record["shift"]


def near(record):
    return right(record) and abs(int(record["row"]["break_ring"]) - record["ring"]) <= NEAR


def checked(record):
    row = record["row"]
    return row is not None and row["p_chance"] < 0.05


def answered(record):
    return checked(record) and record["row"]["check"] in ("break", "none")


def alpine(record):
    return record["site"].startswith(("swit", "aust"))


def percent(part, whole):
    return f"{100 * part / whole:.1f} % ({part} of {whole})" if whole else "-"


def table(records):
    faulty = [r for r in records if r["kind"] != "clean"]
    clean = [r for r in records if r["kind"] == "clean"]
    sites = len({r["site"] for r in records})
    lines = [f"{len(clean)} series from {sites} sites, each clean and with one missed and one false ring "
             f"({len(faulty)} faulty series).", "",
             "| faulty series counted | flagged, right shift | and within 5 rings | cannot check |",
             "|---|---|---|---|"]
    for name, group in (("all", faulty), ("checked (slot 1 p_chance < 0.05)", [r for r in faulty if checked(r)]),
                        ("checked and answered (not \"cannot check\")", [r for r in faulty if answered(r)]),
                        ("missed rings, checked", [r for r in faulty if checked(r) and r["kind"] == "missing"]),
                        ("false rings, checked", [r for r in faulty if checked(r) and r["kind"] == "false"]),
                        ("real collection, checked", [r for r in faulty if checked(r) and not alpine(r)]),
                        ("Alpine library, checked", [r for r in faulty if checked(r) and alpine(r)])):
        cannot = sum(1 for r in group if r["row"] is not None and r["row"]["check"] == "cannot check")
        lines.append(f"| {name} | {percent(sum(map(right, group)), len(group))} | "
                     f"{percent(sum(map(near, group)), len(group))} | {percent(cannot, len(group))} |")
    lines += ["", "| clean series counted | flagged | cannot check |", "|---|---|---|"]
    for name, group in (("all", clean), ("checked (slot 1 p_chance < 0.05)", [r for r in clean if checked(r)]),
                        ("real collection, checked", [r for r in clean if checked(r) and not alpine(r)]),
                        ("Alpine library, checked", [r for r in clean if checked(r) and alpine(r)])):
        cannot = sum(1 for r in group if r["row"] is not None and r["row"]["check"] == "cannot check")
        lines.append(f"| {name} | {percent(sum(map(flagged, group)), len(group))} | {percent(cannot, len(group))} |")
    return lines


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--veska", required=True)
    here = os.path.dirname(os.path.abspath(__file__))
    shared = os.path.join(here, "..", "..", "..", "shared", "data")
    parser.add_argument("--real", default=os.path.join(shared, "real"))
    parser.add_argument("--alps", default=os.path.join(shared, "itrdb-alps"))
    parser.add_argument("--readme")
    parser.add_argument("--jobs", type=int, default=2)
    args = parser.parse_args()
    if not os.path.isdir(args.real) or not os.path.isdir(args.alps):
        sys.exit(f"the shared real files are missing ({args.real}, {args.alps}): nothing to study")
    workroot = tempfile.mkdtemp(prefix="veska-break-study-")
    jobs = [(os.path.abspath(args.veska), workroot, site, chrons, cases)
            for site, chrons, cases in break_cases.cases(args.real, args.alps)]
    try:
        with Pool(args.jobs) as pool:
            records = [r for part in pool.map(site_job, jobs, chunksize=1) for r in part]
    finally:
        shutil.rmtree(workroot, ignore_errors=True)
    lines = table(records)
    if args.readme:
        splice(args.readme, MARKERS, lines)
    else:
        print("\n".join(lines))


if __name__ == "__main__":
    main()
