#!/usr/bin/env bash
# The validation study: how often veska's best placement is the true date, and
# how often a wrong placement earns the star. Installs what the plot needs,
# builds veska-console, runs the study on synthetic pairs with known dates and
# on the real files, and rewrites docs/validation.png and the README's tables.
#
#   bench/validate/run.sh [REAL_DATA_DIR]   (default: ../shared/data/real
#                                            beside the checkout; skipped when
#                                            missing)
#
# Also docs/calibration.png and the README's calibration tables of p_chance
# from the real files.
#
# The output depends only on the seeds in study.py and on veska: run it twice
# and nothing changes. It takes about two minutes on two cores.
set -euo pipefail
top="$(cd "$(dirname "$0")/../.." && pwd)"
"$top/scripts/install-deps.sh" --validation-study
build="$top/build-validate"
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVESKA_GUI=OFF \
  -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" -j 2 --target veska-console >/dev/null
# Debian's own interpreter: the one python3-matplotlib, -numpy and -scipy are
# installed for.
/usr/bin/python3 "$top/bench/validate/study.py" --veska "$build/veska-console" \
  --png "$top/docs/validation.png" --calibration-png "$top/docs/calibration.png" \
  --readme "$top/README.md" ${1:+--real "$1"}
