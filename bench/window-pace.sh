#!/usr/bin/env bash
# Times the windowed host (veska) against the terminal host (veska-console)
# on the same answers, from the last answer to the closing prompt, under a
# virtual X server (Xvfb), and prints both times and their ratio. The
# window must keep within 1.5 times the terminal's time or 0.5 s more,
# whichever is larger.
#
#   bench/window-pace.sh [BUILD_DIR] [RUNS]    (defaults: build-bench, 5)
#
# Runs: morc018 (100 series, answered N for dated), the generated collection
# of 100 undated series of 1000 rings, and the largest a file may hold, 1000
# undated series of 300 rings (499,500 pairs, a report of half a million
# lines). Each figure is the median of RUNS runs, the two hosts taken in
# turn; the spread is the lowest and highest ratio of the runs taken side by
# side.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build="$(realpath -m "${1:-$top/build-bench}")"
runs="${2:-5}"
if [ -f "$build/CMakeCache.txt" ]; then
  cmake -S "$top" -B "$build" -DVESKA_BENCH=ON >/dev/null
else
  cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVESKA_BENCH=ON -DBUILD_TESTING=OFF >/dev/null
fi
cmake --build "$build" -j 2 --target veska-console window_run_timer make_collection >/dev/null

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# console_time ANSWER...: one run of veska-console in a fresh folder; each
# answer is written when its prompt has appeared, and the clock runs from
# writing the last one to the closing prompt.
console_time() {
  local dir
  dir="$(mktemp -d "$work/console.XXXX")"
  (cd "$dir" && python3 - "$build/veska-console" "$@" <<'PY'
import os, subprocess, sys, time
program, answers = sys.argv[1], sys.argv[2:]
run = subprocess.Popen([program], stdin=subprocess.PIPE, stdout=subprocess.PIPE)
# Only the new output is searched, so that reading half a million progress
# lines costs this reader no more than the terminal costs a person.
marks = (b"==> ", b"Hit return to Quit")
found = dict.fromkeys(marks, 0)
tail = b""
def wait_for(text, count):
    global tail
    while found[text] < count:
        chunk = os.read(run.stdout.fileno(), 65536)
        if not chunk:
            sys.exit("veska-console ended before " + text.decode())
        both = tail + chunk
        for mark in marks:
            found[mark] += both.count(mark) - tail.count(mark)
        tail = both[-32:]
for i, answer in enumerate(answers):
    wait_for(b"==> ", i + 1)
    if i == len(answers) - 1:
        start = time.perf_counter()
    run.stdin.write(answer.encode() + b"\n")
    run.stdin.flush()
wait_for(b"Hit return to Quit", 1)
print("%.3f" % (time.perf_counter() - start))
run.stdin.write(b"\n")
run.stdin.close()
while os.read(run.stdout.fileno(), 65536):
    pass
run.wait()
PY
  )
}

# window_time ANSWER...: the same run of veska in a fresh folder.
window_time() {
  local dir
  dir="$(mktemp -d "$work/window.XXXX")"
  (cd "$dir" && "$build/bench/window_run_timer" "$@")
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# pace NAME ANSWER...: both hosts, RUNS times each, in turn.
pace() {
  local name=$1
  shift
  local c=() w=() r=()
  for ((i = 0; i < runs; i++)); do
    c+=("$(console_time "$@")")
    w+=("$(window_time "$@")")
    r+=("$(awk -v c="${c[i]}" -v w="${w[i]}" 'BEGIN { printf "%.3f", w / c }')")
  done
  local cm wm lo hi
  cm=$(printf '%s\n' "${c[@]}" | median)
  wm=$(printf '%s\n' "${w[@]}" | median)
  lo=$(printf '%s\n' "${r[@]}" | sort -n | head -1)
  hi=$(printf '%s\n' "${r[@]}" | sort -n | tail -1)
  awk -v n="$name" -v c="$cm" -v w="$wm" -v lo="$lo" -v hi="$hi" 'BEGIN {
    limit = (1.5 * c > c + 0.5) ? 1.5 * c : c + 0.5
    printf "%-28s veska-console %7.3f s  veska %7.3f s  ratio %5.2f (runs %.2f-%.2f)  limit %6.3f s  %s\n",
      n, c, w, w / c, lo, hi, limit, (w <= limit) ? "within" : "OVER"
  }'
}

# Xvfb on a display of its own unless one was given.
if [ -z "${VESKA_BENCH_UNDER_XVFB:-}" ]; then
  export VESKA_BENCH_UNDER_XVFB=1
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$build" "$runs"
fi

morc="${VESKA_REAL_DATA:-/work/shared/data/real}/morc018_cdat_atlas_100ser_rwl.rwl"
if [ -f "$morc" ]; then
  pace "morc018 (100 series)" "$morc" M N
else
  echo "morc018 not found at $morc: skipped" >&2
fi
"$build/bench/make_collection" "$work/u100x1000.rwl" U 100 1000 11
pace "100 undated x 1000" "$work/u100x1000.rwl" M N
"$build/bench/make_collection" "$work/u1000x300.rwl" U 1000 300 13
pace "1000 undated x 300" "$work/u1000x300.rwl" M N
