#!/usr/bin/env bash
# Installs what is missing, fuzzes every input surface for a minute each
# (scripts/fuzz.sh), then builds veska twice (optimised, and with
# AddressSanitizer and UndefinedBehaviorSanitizer) and runs every test in both,
# then builds the Debian packages and checks them. Warnings are errors here
# (not in the package build).
#
# --unit: only the optimised build and its tests, without fuzzing, the
# sanitizers and the packages (a quick check while working).
set -euo pipefail
cd "$(dirname "$0")/.."
variants="release asan"
fuzz=1
if [ "${1:-}" = --unit ]; then
  variants=release
  fuzz=0
fi
./scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)
status=0
if [ $fuzz = 1 ]; then
  # Every input either reads correctly or is refused cleanly: a bounded fuzzing run.
  echo "== fuzzing: 60 s per target =="
  ./scripts/fuzz.sh 60 || status=1
fi
for variant in $variants; do
  dir=build-test-$variant
  if [ $variant = release ]; then
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVESKA_WERROR=ON >/dev/null
  else
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVESKA_SANITIZE=ON -DVESKA_WERROR=ON >/dev/null
  fi
  cmake --build "$dir" -j "$jobs"
  echo "== tests: $variant build =="
  (cd "$dir" && ctest --output-on-failure -j "$jobs") || status=1
done
# The Debian packages as the README builds them, and lintian on them; the
# packaged program must report what the optimised build reports.
if [ $fuzz = 1 ]; then
  echo "== Debian packages =="
  bash tests/package/debian_test.sh . build-test-release/veska-console || status=1
fi
exit $status
