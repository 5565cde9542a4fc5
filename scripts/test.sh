#!/usr/bin/env bash
# Installs what is missing, fuzzes every input surface for a minute each
# (scripts/fuzz.sh), then builds veska twice (optimised, and with
# AddressSanitizer and UndefinedBehaviorSanitizer) and runs every test in both,
# then builds the Debian packages and checks them.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)
status=0
# Every input either reads correctly or is refused cleanly: a bounded fuzzing run.
echo "== fuzzing: 60 s per target =="
./scripts/fuzz.sh 60 || status=1
for variant in release asan; do
  dir=build-test-$variant
  if [ $variant = release ]; then
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
  else
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVESKA_SANITIZE=ON >/dev/null
  fi
  cmake --build "$dir" -j "$jobs"
  echo "== tests: $variant build =="
  (cd "$dir" && ctest --output-on-failure -j "$jobs") || status=1
done
# The Debian packages as the README builds them, and lintian on them; the
# packaged program must report what the optimised build reports.
echo "== Debian packages =="
bash tests/package/debian_test.sh . build-test-release/veska-console || status=1
exit $status
