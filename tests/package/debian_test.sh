#!/usr/bin/env bash
# The Debian packages as the README builds them: the source package and the
# two binary packages from a copy of the checkout, lintian on all of them (no
# error, no warning, no missing hardening), what each package holds, that
# veska-console pulls in no Qt or other graphical library, and a run of the
# packaged veska-console on the packaged examples.
#
# Usage: debian_test.sh <source dir> [<veska-console of an optimised build>]
# With the second argument, the packaged program's report on the examples
# must be that program's, byte for byte: Debian's build flags must not move
# a result.
#
# The tests are not run again inside the package build (nocheck): the test
# command runs them in its own builds.
set -uo pipefail
src=$(cd "$1" && pwd) reference=${2:+$(readlink -f "$2")}

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
check() { local what=$1; shift; "$@" || fail "$what"; }
finish() {
  if [ "$failures" -ne 0 ]; then echo "Debian packages: $failures failure(s)"; exit 1; fi
  echo "Debian packages: all checks passed"
  exit 0
}

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
version=$(dpkg-parsechangelog -l "$src/debian/changelog" -S Version)
arch=$(dpkg --print-architecture)

# A copy of the files git knows (or would add), so that nothing built or left
# in the checkout ends up in the source package, and the packages land in
# the scratch folder rather than beside the checkout.
tree="$scratch/veska-$version"
mkdir -p "$tree"
if git -C "$src" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  (cd "$src" && git ls-files -z --cached --others --exclude-standard |
     tar --null -T - --ignore-failed-read -cf - 2>/dev/null) | tar -xf - -C "$tree"
else
  (cd "$src" && tar --exclude='./build*' -cf - .) | tar -xf - -C "$tree"
fi

# --- build: the source package, then the binary packages -----------------------
if ! (cd "$tree" && dpkg-buildpackage -us -uc -S) >"$scratch/source.log" 2>&1; then
  tail -40 "$scratch/source.log"; fail "dpkg-buildpackage -S failed"; finish
fi
if ! (cd "$tree" && DEB_BUILD_OPTIONS=nocheck dpkg-buildpackage -us -uc -b -Pnocheck) \
     >"$scratch/binary.log" 2>&1; then
  tail -60 "$scratch/binary.log"; fail "dpkg-buildpackage -b failed"; finish
fi
console_deb="$scratch/veska-console_${version}_${arch}.deb"
window_deb="$scratch/veska_${version}_${arch}.deb"
for file in "$scratch/veska_$version.dsc" "$console_deb" "$window_deb"; do
  [ -f "$file" ] || { fail "no $(basename "$file")"; ls "$scratch"; finish; }
done

# --- lintian: no error, no warning, and the binaries hardened --------------------
lintian -I --fail-on error,warning "$scratch"/*.changes >"$scratch/lintian.log" 2>&1 ||
  fail "lintian reports errors or warnings"
check "lintian finds binaries without hardening" bash -c "! grep 'hardening-no' '$scratch/lintian.log'"
sed 's/^/  lintian: /' "$scratch/lintian.log"

# --- what each package holds ------------------------------------------------------
holds() {  # package, then the paths it must hold
  local deb=$1 listing; shift
  listing=$(dpkg-deb -c "$deb" | awk '{print $6}')
  for path in "$@"; do
    check "$(basename "$deb") lacks $path" grep -qx "./$path" <<<"$listing"
  done
}
holds "$console_deb" usr/bin/veska-console usr/share/man/man1/veska-console.1.gz \
  usr/share/veska/examples/undated.rwl usr/share/veska/examples/dated.rwl \
  usr/share/veska/examples/index.crn usr/share/veska/examples/formatted.dat \
  usr/share/doc/veska-console/README usr/share/doc/veska-console/copyright \
  usr/share/doc/veska-console/changelog.gz
holds "$window_deb" usr/bin/veska usr/share/man/man1/veska.1.gz \
  usr/share/applications/veska.desktop usr/share/metainfo/io.veska.veska.metainfo.xml \
  usr/share/icons/hicolor/scalable/apps/veska.svg usr/share/icons/hicolor/64x64/apps/veska.png \
  usr/share/doc/veska
paths() { dpkg-deb -c "$1" | awk '{print $6}'; }
check "veska-console holds the window or its desktop files" \
  bash -c "! grep -E 'usr/bin/veska\$|applications|metainfo|icons' <<<'$(paths "$console_deb")'"
check "veska holds the terminal program or the examples" \
  bash -c "! grep -E 'usr/bin/veska-console|examples' <<<'$(paths "$window_deb")'"

# --- dependencies -------------------------------------------------------------------
console_depends=$(dpkg-deb -f "$console_deb" Depends)
window_depends=$(dpkg-deb -f "$window_deb" Depends)
check "veska-console's Depends lack the C library: '$console_depends'" grep -q 'libc6 (>=' <<<"$console_depends"
check "veska-console depends on Qt: '$console_depends'" bash -c "! grep -qi qt <<<'$console_depends'"
check "veska's Depends lack the Qt widgets: '$window_depends'" grep -q 'libqt6widgets6' <<<"$window_depends"
check "veska does not depend on veska-console $version: '$window_depends'" \
  grep -qF "veska-console (= $version)" <<<"$window_depends"

# What apt would install for each package on a system with nothing installed
# at all: a superset of what a bare Debian pulls in, so a graphical library
# missing here is missing there too.
if ! apt-cache policy libc6 2>/dev/null | grep -q 'Candidate: [0-9]'; then
  apt-get update -qq >/dev/null 2>&1
fi
: >"$scratch/no-packages"
pulled() {  # package files: the names apt would install with them, one a line
  apt-get install -s -o Dir::State::status="$scratch/no-packages" "$@" 2>"$scratch/apt.err" |
    awk '/^Inst /{print $2}'
}
pulled "$console_deb" >"$scratch/console-pulls"
check "apt cannot install veska-console: $(cat "$scratch/apt.err")" grep -qx veska-console "$scratch/console-pulls"
graphical=$(grep -Ei 'qt|libgl|mesa|gtk|libx11|wayland' "$scratch/console-pulls" | tr '\n' ' ')
check "veska-console pulls in graphical libraries: $graphical" test -z "$graphical"
# veska depends on this very veska-console, which no archive holds yet.
pulled "$console_deb" "$window_deb" >"$scratch/window-pulls"
check "apt cannot install veska: $(cat "$scratch/apt.err")" grep -qx libqt6widgets6 "$scratch/window-pulls"
echo "apt on an empty system: veska-console pulls $(wc -l <"$scratch/console-pulls") packages" \
     "(itself included), both packages $(wc -l <"$scratch/window-pulls")"

# --- the packaged program on the packaged examples ------------------------------------
root="$scratch/root"
dpkg -x "$console_deb" "$root"
run="$scratch/run"
mkdir -p "$run"
examples="$root/usr/share/veska/examples"
(cd "$run" && printf '%s\n' "$examples/undated.rwl" M Y "$examples/dated.rwl" M '' |
   "$root/usr/bin/veska-console" >transcript); status=$?
check "the packaged veska-console exits $status on the examples" test "$status" -eq 0
check "the packaged veska-console's report lacks the pair lines" grep -q '\*FLT101' "$run/VESKA.OUT"
if [ -n "$reference" ]; then
  mkdir -p "$scratch/reference"
  (cd "$scratch/reference" && printf '%s\n' "$examples/undated.rwl" M Y "$examples/dated.rwl" M '' |
     "$reference" >transcript)
  check "the packaged veska-console's report differs from $reference's" \
    cmp -s "$run/VESKA.OUT" "$scratch/reference/VESKA.OUT"
fi

for deb in "$console_deb" "$window_deb"; do
  echo "$(basename "$deb"): Installed-Size $(dpkg-deb -f "$deb" Installed-Size) KiB"
done
finish
