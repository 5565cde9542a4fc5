#!/usr/bin/env bash
# How a library search grows with its library: generated libraries of 250,
# 1000 and 4000 chronology files (each one site's index chronology of 200 to
# 600 years with its own coordinates and species), each searched by the same
# five undated series of 150 rings with veska-console --library, measured in
# one run, side by side: wall and processor time, and the largest resident
# memory of the process (GNU time's maximum resident set size).
#
#   bench/library-scale.sh [VESKA_CONSOLE]   (default: build/veska-console)
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
veska="$(realpath "${1:-$top/build/veska-console}")"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# make_library FOLDER COUNT: COUNT index files with random values.
make_library() {
  python3 - "$1" "$2" <<'PY'
import os, random, sys
folder, count = sys.argv[1], int(sys.argv[2])
os.makedirs(folder)
rng = random.Random(count)
species = ["QUSP", "PISY", "PIAB", "ABAL", "LASI", "FASY"]
for k in range(count):
    first = rng.randrange(1000, 1600)
    values = [max(1, int(rng.gauss(1000, 250))) for _ in range(rng.randrange(200, 600))]
    ident = f"S{k:05d}"
    lat, lon = rng.uniform(35, 65), rng.uniform(-10, 40)
    ns, ew = ("N", lat) if lat >= 0 else ("S", -lat), ("E", lon) if lon >= 0 else ("W", -lon)
    lines = [f"{ident} 1 Generated site {k:<40}{rng.choice(species)}",
             f"{ident} 2 Nowhere{'':<30}{int(ns[1]):02d}{int(ns[1] % 1 * 60):02d}{ns[0]}"
             f"{int(ew[1]):03d}{int(ew[1] % 1 * 60):02d}{ew[0]}",
             f"{ident} 3 bench/library-scale.sh"]
    # The first line carries the first year, its values in their decade's
    # slots after the filler 9990.
    year = first - first % 10
    row = f"{ident}{first:4d}"
    for y in range(year, first):
        row += "9990  0"
    for i, v in enumerate(values):
        y = first + i
        if y % 10 == 0 and y != year:
            lines.append(row)
            row = f"{ident}{y:4d}"
        row += f"{v:4d}  1"
    lines.append(row + "9990  0")
    with open(os.path.join(folder, f"site{k:05d}.crn"), "w") as f:
        f.write("\n".join(lines) + "\n")
PY
}

python3 - "$work/undated.rwl" <<'PY'
import random, sys
rng = random.Random(5)
lines = []
for s in range(5):
    ident, values = f"FLT{s:03d}", [rng.randrange(50, 300) for _ in range(150)] + [999]
    # Rings from year 1: the first line holds 1-9, then one decade a line.
    lines.append(f"{ident:<8}{1:4d}" + "".join(f"{v:6d}" for v in values[:9]))
    for start in range(9, len(values), 10):
        lines.append(f"{ident:<8}{start + 1:4d}" + "".join(f"{v:6d}" for v in values[start:start + 10]))
open(sys.argv[1], "w").write("\n".join(lines) + "\n")
PY

printf '%-10s %12s %12s %14s %16s\n' files wall_s cpu_s max_rss_MB rss_per_1000_MB
for count in 250 1000 4000; do
  make_library "$work/lib$count" "$count"
  /usr/bin/time -f '%e %U %S %M' -o "$work/time$count" \
    "$veska" --library "$work/lib$count" --table "$work/t$count.csv" "$work/undated.rwl" >"$work/out$count"
  read -r wall user sys rss <"$work/time$count"
  rows=$(($(wc -l <"$work/t$count.csv") - 1))
  [ "$rows" -eq $((count * 5)) ] || { echo "table of $count files has $rows rows" >&2; exit 1; }
  awk -v c="$count" -v w="$wall" -v u="$user" -v s="$sys" -v r="$rss" \
    'BEGIN { printf "%-10d %12.2f %12.2f %14.1f %16.1f\n", c, w, u + s, r / 1024, r / 1024 / c * 1000 }'
done
