#!/usr/bin/env bash
# The regional study (regional_study.py): every ring-width series of the
# Swiss and Austrian ITRDB files, its years hidden, dated against the other
# files with its own site's family taken out. Builds veska-console and
# rewrites the README's regional-study table.
#
#   bench/validate/regional-study.sh [--every K] [--jobs N] [DATA_DIR]
#       (default: ../shared/data/itrdb-alps beside the checkout)
#
# It depends only on the files and on veska: run it twice and the figures
# are the same (the time taken aside). The whole study takes about 20
# minutes on 2 jobs of a shared 2-core machine; --every 10 dates every
# tenth site in about 2 minutes.
set -euo pipefail
top="$(cd "$(dirname "$0")/../.." && pwd)"
build="$top/build-validate"
every=1
jobs=2
while [ $# -gt 0 ]; do
  case "$1" in
    --every) every="$2"; shift 2 ;;
    --jobs) jobs="$2"; shift 2 ;;
    *) break ;;
  esac
done
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVESKA_GUI=OFF \
  -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" -j 2 --target veska-console >/dev/null
readme=()
[ "$every" = 1 ] && readme=(--readme "$top/README.md")
python3 "$top/bench/validate/regional_study.py" --veska "$build/veska-console" --jobs "$jobs" \
  --every "$every" "${readme[@]}" ${1:+--data "$1"}
