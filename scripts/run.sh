#!/usr/bin/env bash
# Installs what is missing, builds veska and starts it: the window when a
# display is available, the terminal dialogue otherwise. The report VESKA.OUT
# is written to the directory the program is started in (here: the checkout).
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
"$top/scripts/install-deps.sh"
cmake -S "$top" -B "$top/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$top/build" -j "$(nproc)"
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -x "$top/build/veska" ]; then
  exec "$top/build/veska"
fi
exec "$top/build/veska-console"
