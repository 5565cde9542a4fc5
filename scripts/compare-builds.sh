#!/usr/bin/env bash
# Builds veska-console at an earlier commit and from the work tree, runs both
# on every sample file in data/ (and on every real file in ../shared/data/real
# when that folder is there), and checks that VESKA.OUT, the console
# transcript and the exit status of every run are identical.
#
#   scripts/compare-builds.sh [COMMIT]     (default: HEAD~1)
#
# The commit is built in a temporary git worktree, the work tree in
# build-compare/ (both without the windowed host and without tests). Prints
# one line per run that differs and a summary; exits 1 when anything differs.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
commit="${1:-HEAD~1}"
work="$(mktemp -d)"
old_tree="$work/old-tree"
cleanup() {
  git -C "$top" worktree remove --force "$old_tree" >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

# build SOURCE BUILD_DIR: veska-console, release, core only.
build() {
  cmake -S "$1" -B "$2" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVESKA_GUI=OFF -DBUILD_TESTING=OFF \
    "${launcher[@]}" >/dev/null
  cmake --build "$2" -j 2 --target veska-console >/dev/null
}

echo "building $commit ($(git -C "$top" rev-parse --short "$commit"))"
git -C "$top" worktree add --detach "$old_tree" "$commit" >/dev/null 2>&1
build "$old_tree" "$work/old-build"
echo "building the work tree"
build "$top" "$top/build-compare"
old="$work/old-build/veska-console"
new="$top/build-compare/veska-console"

# The answer to "Ring widths (M) or Indices (I)" for a file.
kind() { case "$1" in *.crn) echo I ;; *) echo M ;; esac; }

same=0
differ=0
# compare NAME ANSWERS FILE...: one run of each build in a folder of its own,
# holding copies of the files under their own names; ANSWERS is printf text.
compare() {
  local name=$1 answers=$2
  shift 2
  local side
  for side in old new; do
    local dir="$work/run/$side"
    rm -rf "$dir"
    mkdir -p "$dir"
    [ $# -gt 0 ] && cp "$@" "$dir/"
    local program=$old
    [ "$side" = new ] && program=$new
    (cd "$dir" && printf '%b' "$answers" | timeout 300 "$program" >console.txt 2>&1; echo $? >status.txt) || true
  done
  local a="$work/run/old" b="$work/run/new"
  if cmp -s "$a/console.txt" "$b/console.txt" && cmp -s "$a/status.txt" "$b/status.txt" &&
     { [ ! -e "$a/VESKA.OUT" ] && [ ! -e "$b/VESKA.OUT" ] || cmp -s "$a/VESKA.OUT" "$b/VESKA.OUT"; }; then
    same=$((same + 1))
  else
    differ=$((differ + 1))
    echo "differs: $name"
    for f in status.txt console.txt VESKA.OUT; do
      cmp -s "$a/$f" "$b/$f" || diff "$a/$f" "$b/$f" 2>&1 | head -n 4 | sed "s/^/    $f: /"
    done
  fi
}

# Every file on its own, every file against each dated sample, and the
# dialogue's ways out: the bail-out, a missing file, input that ends.
samples=("$top"/data/*)
for f in "${samples[@]}"; do
  b=$(basename "$f")
  compare "$b" "$b\n$(kind "$f")\nN\n\n" "$f"
  for d in "$top"/data/dated.rwl "$top"/data/index.crn; do
    [ "$d" = "$f" ] && continue
    compare "$b + $(basename "$d")" "$b\n$(kind "$f")\nY\n$(basename "$d")\n$(kind "$d")\n\n" "$f" "$d"
  done
done
compare "bail-out" "/\n"
compare "missing file, then bail-out" "no-such-file.rwl\n/\n"
compare "input ends at the first question" ""

real="$top/../shared/data/real"
tool="$top/../shared/tools/compare-runs.sh"
real_differs=0
if [ -x "$tool" ]; then
  echo "real files, by $tool:"
  "$tool" "$old" "$new" | sed 's/^/    /' || real_differs=1
elif [ -d "$real" ]; then
  for f in "$real"/*.rwl "$real"/*.crn; do
    [ -e "$f" ] || continue
    b=$(basename "$f")
    compare "$b" "$b\n$(kind "$f")\nN\n\n" "$f"
  done
fi

echo "$same of $((same + differ)) runs identical"
if [ "$differ" = 0 ] && [ "$real_differs" = 0 ]; then
  echo "every run identical"
else
  echo "some runs differ"
  exit 1
fi
