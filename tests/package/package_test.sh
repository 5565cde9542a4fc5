#!/usr/bin/env bash
# The programs' command line (--help, --version, a run without questions, an
# unknown option refused),
# then the Debian package made from this build: its file name, files and
# dependencies, its menu entry, metainfo and manual pages, lintian, and a run
# of the installed veska-console on the installed example data.
#
# Usage: package_test.sh <source dir> <build dir> <version> <veska-console> [<veska>]
set -uo pipefail
src=$1 build=$2 version=$3 console=$4 window=${5:-}

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
check() { local what=$1; shift; "$@" || fail "$what"; }

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
answers() { printf '%s\n' "$1/undated.rwl" M Y "$1/dated.rwl" M ''; }

# --- --help and --version answer and exit 0, without a display --------------
programs=("veska-console=$console")
[ -n "$window" ] && programs+=("veska=$window")
for entry in "${programs[@]}"; do
  name=${entry%%=*} exe=${entry#*=}
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY "$exe" --version </dev/null); status=$?
  check "$name --version exits 0 (got $status)" test "$status" -eq 0
  check "$name --version prints '$name $version' (got '$out')" test "$out" = "$name $version"
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY "$exe" some-file --help </dev/null); status=$?
  check "$name --help exits 0 (got $status)" test "$status" -eq 0
  check "$name --help starts with its usage" grep -q "^Usage: $name " <<<"$out"
  check "$name --help points to the manual page" grep -q "man $name\$" <<<"$out"
  env -u DISPLAY "$exe" --help >/dev/full 2>/dev/null; status=$?
  check "$name --help to a full disk exits 2 (got $status)" test "$status" -eq 2
done

# --- veska refuses an option it does not know, in one line, status 4 ------------
if [ -n "$window" ]; then
  err=$(QT_QPA_PLATFORM=offscreen "$window" --frobnicate 2>&1 >/dev/null </dev/null); status=$?
  check "veska --frobnicate exits 4 (got $status)" test "$status" -eq 4
  check "veska --frobnicate says why (got '$err')" \
    test "$err" = "veska: unknown option: --frobnicate (see veska --help)"
fi

# --- veska-console: the dialogue, and the same run from its command line -------
run_console() {  # folder, then the arguments
  local dir="$scratch/$1"; shift
  mkdir -p "$dir"
  (cd "$dir" && answers "$src/data" | "$console" "$@" >transcript; echo $? >status)
}
run_console plain
mkdir -p "$scratch/command-line"
(cd "$scratch/command-line" && "$console" --quiet --dated "$src/data/dated.rwl" "$src/data/undated.rwl" \
   </dev/null >transcript; echo $? >status)
check "the command line's report is not the dialogue's" \
  cmp -s "$scratch/plain/VESKA.OUT" "$scratch/command-line/VESKA.OUT"
check "the command-line run did not end normally" grep -qx 0 "$scratch/command-line/status"
err=$("$console" --frobnicate x.rwl 2>&1 >/dev/null </dev/null); status=$?
check "veska-console --frobnicate exits 4 (got $status)" test "$status" -eq 4
check "veska-console --frobnicate says why (got '$err')" \
  test "$err" = "veska-console: unknown option: --frobnicate (see veska-console --help)"

# --- the package ---------------------------------------------------------------
arch=$(dpkg --print-architecture)
deb="$scratch/veska_${version}_${arch}.deb"
if ! cpack --config "$build/CPackConfig.cmake" -B "$scratch" >"$scratch/cpack.log" 2>&1; then
  cat "$scratch/cpack.log"
  fail "cpack did not build the package"
fi
if [ ! -f "$deb" ]; then
  fail "no package named $(basename "$deb")"; ls "$scratch"
  echo "$failures failure(s)"; exit 1
fi

listing=$(dpkg-deb -c "$deb")
expected=(./usr/bin/veska-console
          ./usr/share/man/man1/veska-console.1.gz
          ./usr/share/doc/veska/README.md ./usr/share/doc/veska/copyright
          ./usr/share/doc/veska/changelog.gz
          ./usr/share/veska/examples/undated.rwl ./usr/share/veska/examples/dated.rwl
          ./usr/share/veska/examples/index.crn ./usr/share/veska/examples/formatted.dat)
[ -n "$window" ] && expected+=(./usr/bin/veska ./usr/share/man/man1/veska.1.gz
          ./usr/share/applications/veska.desktop
          ./usr/share/mime/packages/veska.xml
          ./usr/share/metainfo/io.veska.veska.metainfo.xml
          ./usr/share/icons/hicolor/scalable/apps/veska.svg
          ./usr/share/icons/hicolor/64x64/apps/veska.png)
for path in "${expected[@]}"; do
  check "the package lacks $path" grep -q " $path\$" <<<"$listing"
done
check "a packaged file is not owned by root" test -z "$(awk '$2 != "root/root"' <<<"$listing")"
check "a packaged file lies outside /usr" test -z "$(awk '$6 !~ /^\.\/(usr\/.*)?$/' <<<"$listing")"

depends=$(dpkg-deb -f "$deb" Depends)
check "Depends lacks the C library (dependencies not computed): '$depends'" grep -q 'libc6 (>=' <<<"$depends"
[ -n "$window" ] && check "Depends lacks the Qt widgets: '$depends'" grep -q 'libqt6widgets6' <<<"$depends"
check "the package's version is not $version" test "$(dpkg-deb -f "$deb" Version)" = "$version"

if command -v lintian >/dev/null; then
  lintian --fail-on error "$deb" >"$scratch/lintian.log" 2>&1 || { cat "$scratch/lintian.log"; fail "lintian reports errors"; }
fi

# --- what it installs ------------------------------------------------------------
root="$scratch/root"
dpkg -x "$deb" "$root"
if [ -n "$window" ]; then
  entry="$root/usr/share/applications/veska.desktop"
  check "the desktop entry does not validate" desktop-file-validate "$entry"
  # "Open with veska": the entry takes the file and names the tree-ring types
  # the installed MIME file defines, and never plain text.
  check "the desktop entry does not pass the file" grep -qx 'Exec=veska %f' "$entry"
  # The MIME file, built into a database of its own as the system's is built,
  # gives each tree-ring pattern a type of the entry's, and the entry lists
  # those types and never plain text.
  mkdir -p "$scratch/mime/packages"
  cp "$root/usr/share/mime/packages/veska.xml" "$scratch/mime/packages/"
  update-mime-database "$scratch/mime" >"$scratch/mime.log" 2>&1 || { cat "$scratch/mime.log"; fail "update-mime-database refuses the MIME file"; }
  types=$(sed -n 's/^MimeType=//p' "$entry" | tr ';' '\n' | sed '/^$/d' | sort)
  for pattern in rwl crn fh; do
    type=$(awk -F: -v p="*.$pattern" '$3 == p { print $2 }' "$scratch/mime/globs2")
    check "*.$pattern has no type the entry lists (got '$type')" grep -qx "${type:-none}" <<<"$types"
  done
  check "the entry claims plain text" bash -c "! grep -q 'text/plain' <<<'$types'"
  metainfo="$root/usr/share/metainfo/io.veska.veska.metainfo.xml"
  check "the metainfo does not validate" appstreamcli validate --no-net "$metainfo"
  check "the metainfo has no release $version" grep -q "<release version=\"$version\"" "$metainfo"
  png="$root/usr/share/icons/hicolor/64x64/apps/veska.png"
  # A PNG's width and height are the big-endian words at bytes 16 and 20.
  size=$(od -An -tu1 -j16 -N8 "$png" | awk '{print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8}')
  check "the PNG icon is $size, not 64x64" test "$size" = 64x64
fi
zcat "$root/usr/share/doc/veska/changelog.gz" >"$scratch/changelog"
latest=$(dpkg-parsechangelog -l "$scratch/changelog" -S Version)
check "the changelog's latest entry is $latest, not $version" test "$latest" = "$version"
for page in "$root"/usr/share/man/man1/*.1.gz; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
  check "$(basename "$page") has roff warnings: $warnings" test -z "$warnings"
  check "$(basename "$page") does not carry version $version" bash -c "zcat '$page' | head -1 | grep -q 'veska $version'"
done

for exe in "$root"/usr/bin/*; do
  missing=$(ldd "$exe" | grep 'not found')
  check "$(basename "$exe") as installed lacks libraries: $missing" test -z "$missing"
done

# The installed program on the installed examples gives the build's report.
mkdir -p "$scratch/installed"
(cd "$scratch/installed" && answers "$root/usr/share/veska/examples" |
   "$root/usr/bin/veska-console" >transcript); status=$?
check "the installed veska-console exits $status on the examples" test "$status" -eq 0
check "the installed veska-console did not finish its run" \
  grep -q "Normal Termination of Program- Hit return to Quit" "$scratch/installed/transcript"
check "the installed veska-console wrote another report than the build's" \
  cmp -s "$scratch/installed/VESKA.OUT" "$scratch/plain/VESKA.OUT"
check "the report lacks the dated series" grep -q "DATED TREE-RING SERIES:" "$scratch/installed/VESKA.OUT"

if [ "$failures" -ne 0 ]; then echo "$failures failure(s)"; exit 1; fi
echo "package $(basename "$deb"): $(wc -l <<<"$listing") entries, all checks passed"
