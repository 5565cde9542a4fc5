#!/usr/bin/env bash
# How many files of a library folder give, in their headers, the species,
# the coordinates and the measured variable, as the library reads them: one
# line per file, then the totals (the README's figures for the 710 files of
# ../shared/data/itrdb-alps).
#
#   bench/validate/header-census.sh [FOLDER]   (default: ../shared/data/itrdb-alps
#                                               beside the checkout)
#
# It depends only on the files and on veska: run it twice and nothing changes.
set -euo pipefail
top="$(cd "$(dirname "$0")/../.." && pwd)"
folder="${1:-$top/../shared/data/itrdb-alps}"
build="$top/build-validate"
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVESKA_GUI=OFF \
  -DBUILD_TESTING=OFF -DVESKA_BENCH=ON >/dev/null
cmake --build "$build" -j 2 --target header_census >/dev/null
"$build/bench/header_census" "$folder"
