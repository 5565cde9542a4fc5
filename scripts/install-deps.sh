#!/usr/bin/env bash
# Installs what building and testing veska needs on Debian 12, as root.
#   scripts/install-deps.sh                    the build and the tests
#   scripts/install-deps.sh --validation-study also what the validation study
#                                              (bench/validate/run.sh) computes
#                                              and plots with
set -euo pipefail
packages=(build-essential cmake ninja-build clang libclang-rt-14-dev
          # TRiDaS files are XML; xmllint checks the files veska writes
          libxml2-dev libxml2-utils
          libgtest-dev libgmock-dev libbenchmark-dev
          qt6-base-dev qt6-svg-dev libgl1-mesa-dev fonts-dejavu-core xvfb xauth python3
          # the Debian packages (dependencies, icon, manual pages) and their checks
          dpkg-dev debhelper librsvg2-bin man-db groff-base
          desktop-file-utils appstream lintian shared-mime-info
          # the coastlines of the library window's map
          xtide-coastline
          # GNU time: the peak memory bench/table-memory.sh measures
          time)
if [ "${1:-}" = --validation-study ]; then
  packages+=(python3-matplotlib python3-numpy python3-scipy)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
