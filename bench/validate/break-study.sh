#!/usr/bin/env bash
# The break study (break_study.py): series of the shared real ring-width files
# and the Alpine library given one planted missed or false ring, and their
# clean controls, checked against their own site's chronology. Builds
# veska-console and rewrites the README's break-study table.
#
#   bench/validate/break-study.sh [REAL_DATA_DIR [ALPS_DIR]]
#                     (default: ../shared/data/real and ../shared/data/itrdb-alps
#                      beside the checkout)
#
# It depends only on the files, the seed in break_cases.py and veska: run it
# twice and nothing changes. It takes about a minute on two cores.
set -euo pipefail
top="$(cd "$(dirname "$0")/../.." && pwd)"
"$top/scripts/install-deps.sh" --validation-study
build="$top/build-validate"
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVESKA_GUI=OFF \
  -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" -j 2 --target veska-console >/dev/null
/usr/bin/python3 "$top/bench/validate/break_study.py" --veska "$build/veska-console" \
  --readme "$top/README.md" ${1:+--real "$1"} ${2:+--alps "$2"}
