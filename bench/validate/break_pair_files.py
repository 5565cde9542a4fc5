"""Writes one planted-fault case of the break study as two data files, for
looking at it in veska: FOLDER/faulty.rwl (the series with its fault, years
hidden: numbered from 1) and FOLDER/chronology.rwl (its own site's
chronology without its tree, in its own years), both in thousandths.

  break_pair_files.py SITE KIND FOLDER [--real DIR] [--alps DIR]

SITE is a site of the study (co690, swit175, ...), KIND missing or false; the
site's first case of that kind is written, and its fault's ring printed."""

import argparse
import os
import sys

import break_cases
from real_pairs import thousandths
from tree_ring_files import write_decadal


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("site")
    parser.add_argument("kind", choices=("missing", "false", "clean"))
    parser.add_argument("folder")
    here = os.path.dirname(os.path.abspath(__file__))
    shared = os.path.join(here, "..", "..", "..", "shared", "data")
    parser.add_argument("--real", default=os.path.join(shared, "real"))
    parser.add_argument("--alps", default=os.path.join(shared, "itrdb-alps"))
    args = parser.parse_args()
    for site, chronologies, cases in break_cases.cases(args.real, args.alps):
        if site != args.site:
            continue
        case = next(c for c in cases if c["kind"] == args.kind)
        chron = chronologies[case["chron"]]
        os.makedirs(args.folder, exist_ok=True)
        write_decadal(os.path.join(args.folder, "faulty.rwl"),
                      [(chron["tree"][:8], 1, thousandths(case["values"]))], True)
        write_decadal(os.path.join(args.folder, "chronology.rwl"),
                      [(f"{site[:6].upper()}C", chron["first"], thousandths(chron["values"]))], True)
        print(f"{chron['tree']}: {args.kind} ring, first ring off at {case.get('ring')}, "
              f"true first year {case['first']}")
        return
    sys.exit(f"no case of site {args.site}")


if __name__ == "__main__":
    main()
