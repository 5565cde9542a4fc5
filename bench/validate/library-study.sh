#!/usr/bin/env bash
# The library study (library_study.py): each real ring-width file's series,
# their years hidden, dated against a library of the other real files with
# and without a reference built from the other half of their trees. Builds
# veska-console and rewrites the README's library-study table.
#
#   bench/validate/library-study.sh [REAL_DATA_DIR]   (default: ../shared/data/real
#                                                      beside the checkout)
#
# It depends only on the files and on veska: run it twice and nothing
# changes. It takes a few seconds.
set -euo pipefail
top="$(cd "$(dirname "$0")/../.." && pwd)"
build="$top/build-validate"
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVESKA_GUI=OFF \
  -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" -j 2 --target veska-console >/dev/null
python3 "$top/bench/validate/library_study.py" --veska "$build/veska-console" \
  --readme "$top/README.md" ${1:+--real "$1"}
