#!/usr/bin/env bash
# Times whole runs of the terminal host on generated collections, with the
# fast match routine (veska-console) and the direct one (veska-console-direct,
# a benchmark-only build), checks that both write byte-identical VESKA.OUT
# files, and prints the ratio of the times.
#
#   bench/run-collections.sh [BUILD_DIR]    (default: build-bench)
#
# The build directory is configured with -DVESKA_BENCH=ON if needed. The
# collections: 100 series of 1000 rings, undated against undated; 10 dated
# series of 2000 rings against 100 undated of 300 rings.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$top/build-bench}"
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVESKA_GUI=OFF -DVESKA_BENCH=ON \
  -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" -j 2 --target veska-console veska-console-direct make_collection >/dev/null

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# run PROGRAM DIR ANSWERS: one whole run in DIR, answers from ANSWERS;
# prints the elapsed seconds.
run() {
  local program=$1 dir=$2 answers=$3
  local start end
  start=$(date +%s.%N)
  (cd "$dir" && "$program" <"$answers" >console.txt)
  end=$(date +%s.%N)
  awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", b - a }'
}

# collection NAME ANSWERS: runs both programs on the files in $work/NAME.
collection() {
  local name=$1 answers=$2
  mkdir -p "$work/$name/fast" "$work/$name/direct"
  local fast direct pairs
  fast=$(run "$build/veska-console" "$work/$name/fast" "$answers")
  direct=$(run "$build/bench/veska-console-direct" "$work/$name/direct" "$answers")
  pairs=$(grep -c ' Series .* overlap' "$work/$name/fast/console.txt" || true)
  if [ "$pairs" -eq 0 ]; then
    echo "$name: no pair was matched; does this build load series yet?" >&2
    return 1
  fi
  if ! cmp -s "$work/$name/fast/VESKA.OUT" "$work/$name/direct/VESKA.OUT"; then
    echo "$name: VESKA.OUT differs between the fast and the direct routine" >&2
    return 1
  fi
  if ! cmp -s "$work/$name/fast/console.txt" "$work/$name/direct/console.txt"; then
    echo "$name: the console text differs between the fast and the direct routine" >&2
    return 1
  fi
  printf '%-34s %6d pairs  direct %8.2f s  fast %7.3f s  ratio %6.1f  (VESKA.OUT identical)\n' \
    "$name" "$pairs" "$direct" "$fast" "$(awk -v d="$direct" -v f="$fast" 'BEGIN { print d / f }')"
}

"$build/bench/make_collection" "$work/u100x1000.rwl" U 100 1000 11
printf '%s\nM\nN\n\n' "$work/u100x1000.rwl" >"$work/answers1"
collection "100 undated x 1000" "$work/answers1"

"$build/bench/make_collection" "$work/u100x300.rwl" U 100 300 12
"$build/bench/make_collection" "$work/d10x2000.rwl" D 10 2000 12
printf '%s\nM\nY\n%s\nM\n\n' "$work/u100x300.rwl" "$work/d10x2000.rwl" >"$work/answers2"
collection "10 dated x 2000, 100 undated x 300" "$work/answers2"
