#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, AddressSanitizer, UndefinedBehaviorSanitizer)
# and runs each for TIME_PER_TARGET seconds (default 60), one after the other.
# Exits non-zero on any finding: a crash, a failed check, a leak, an input that
# takes more than 10 s or more than 2 GB. Findings are kept in build-fuzz/findings.
#
#   scripts/fuzz.sh [TIME_PER_TARGET] [TARGET...]      e.g. scripts/fuzz.sh 3600 dialogue
#
# The corpus grows in build-fuzz/corpus across runs. Seeds are made afresh on
# every run from fuzz/seeds, from the sample files in data/ and, when present,
# from the real files in VESKA_REAL_DATA (default: ../shared/data/real beside
# the checkout); they are never copied into the repository.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
shift || true
build="$top/build-fuzz"
real="${VESKA_REAL_DATA:-$top/../shared/data/real}"

cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DVESKA_FUZZ=ON -DVESKA_GUI=OFF -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" -j "$(nproc)"

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for exe in "$build"/fuzz/fuzz_*; do targets+=("${exe##*/fuzz_}"); done
fi

# Data files to start from: our own samples and, when present, the real ones.
data_files() {
  for f in "$top"/fuzz/seeds/dialogue/* "$top"/data/* "$real"/*; do
    [ -f "$f" ] && [[ "$f" != *.md ]] && echo "$f"
  done
  return 0
}

# The dialogue's input: answers, NUL, undated file, NUL, dated file (the
# start of each file, so that runs stay quick).
dialogue_seed() {
  local kind=M
  [[ "$1" == *.crn ]] && kind=I
  printf 'u\n%s\nY\nd\n%s\n\n\0' "$kind" "$kind"
  head -c 10000 "$1"
  printf '\0'
  head -c 10000 "$1"
}

make_seeds() {
  local target=$1 dir=$2 f n=0
  rm -rf "$dir" && mkdir -p "$dir"
  if [ -d "$top/fuzz/seeds/$target" ]; then cp "$top/fuzz/seeds/$target"/* "$dir"/ ; fi
  case $target in
    line_reader)
      while read -r f; do n=$((n + 1)); head -c 60000 "$f" >"$dir/data$n"; done < <(data_files)
      # A line over the 64 KiB kept of a line, cut inside a character.
      { head -c 65535 /dev/zero | tr '\0' x; printf '\303\251 rest\r\nnext\n'; } >"$dir/longline" ;;
    dialogue)
      while read -r f; do n=$((n + 1)); dialogue_seed "$f" >"$dir/run$n"; done < <(data_files) ;;
    tridas|besancon|sheffield|noaa_template|catras)
      # The public test collection of the layout, when present beside the checkout.
      local shared="$real/../formats/$target"
      [ $target = noaa_template ] && shared="$real/../noaa-template"
      for f in "$shared"/*; do
        if [ -f "$f" ] && [[ "$f" != *.md ]]; then n=$((n + 1)); head -c 60000 "$f" >"$dir/shared$n"; fi
      done ;;
  esac
}

status=0
mkdir -p "$build/findings"
for target in "${targets[@]}"; do
  exe="$build/fuzz/fuzz_$target"
  [ -x "$exe" ] || { echo "no fuzz target $target" >&2; status=1; continue; }
  corpus="$build/corpus/$target"
  seeds="$build/seeds/$target"
  work="$build/logs/$target"
  mkdir -p "$corpus" "$work"
  make_seeds "$target" "$seeds"
  max_len=()
  case $target in
    dialogue) max_len=(-max_len=24576) ;;
    line_reader) max_len=(-max_len=70000) ;;
  esac
  echo "== fuzzing $target for $seconds s =="
  result=0
  (cd "$work" && nice -n 19 "$exe" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
    -jobs=1 -print_final_stats=1 "${max_len[@]}" -artifact_prefix="$build/findings/$target-" \
    "$corpus" "$seeds" >/dev/null 2>&1) || result=$?
  grep -E '^(#[0-9]+.*DONE|stat::number_of_executed_units|Done [0-9]+ runs)' "$work/fuzz-0.log" | tail -1 || true
  echo "$(date -u +%FT%TZ) $target $seconds s exit $result" >>"$build/fuzz-time.log"
  if [ $result -ne 0 ]; then
    echo "** finding in $target: see $work/fuzz-0.log and $build/findings" >&2
    grep -E 'ERROR|fuzz check failed|SUMMARY' "$work/fuzz-0.log" | head -5 >&2 || true
    status=1
  fi
done
exit $status
