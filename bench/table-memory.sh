#!/usr/bin/env bash
# Peak memory of whole runs of veska-console on 1,000 generated series of 300
# rings (499,500 pairs), undated against undated, without and with --table,
# side by side: the pair table is written a pair at a time, so it should
# cost next to nothing beyond the run itself. Prints both peaks (resident
# set, from GNU time), the ratio, and checks that the two reports are
# byte-identical and that the table has a row per reported placement.
#
#   bench/table-memory.sh [BUILD_DIR] [SERIES]   (defaults: build, 1000)
#
# Uses BUILD_DIR's veska-console as it is built; the collection is made by
# bench/make_collection.cpp, compiled here on its own.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$top/build}" && pwd)"
count="${2:-1000}"
if [ ! -x /usr/bin/time ]; then
  echo "needs GNU time (/usr/bin/time; Debian package time)" >&2
  exit 1
fi
if [ ! -x "$build/veska-console" ]; then
  echo "no veska-console in $build: build it first" >&2
  exit 1
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
c++ -O2 -std=c++20 -o "$work/make_collection" "$top/bench/make_collection.cpp"
"$work/make_collection" "$work/undated.rwl" U "$count" 300 17

# peak DIR [OPTIONS...]: one whole run in DIR; prints its peak resident set
# in KiB.
peak() {
  local dir=$1
  shift
  mkdir -p "$dir"
  (cd "$dir" && /usr/bin/time -f %M -o peak.txt "$build/veska-console" --quiet "$@" "$work/undated.rwl" \
    >console.txt 2>/dev/null)
  cat "$dir/peak.txt"
}

without=$(peak "$work/plain")
with=$(peak "$work/table" --table pairs.csv)
if ! cmp -s "$work/plain/VESKA.OUT" "$work/table/VESKA.OUT"; then
  echo "VESKA.OUT differs with --table" >&2
  exit 1
fi
rows=$(($(wc -l <"$work/table/pairs.csv") - 1))
printf '%d series, %d table rows (%d MB): peak %d MB without --table, %d MB with, ratio %.3f\n' \
  "$count" "$rows" "$(($(stat -c %s "$work/table/pairs.csv") / 1000000))" "$((without / 1024))" \
  "$((with / 1024))" "$(awk -v a="$with" -v b="$without" 'BEGIN { print a / b }')"
