#!/usr/bin/env bash
# The programs' command line (--help, --version, a run without questions, an
# unknown option refused), then what the install rules put in place for the
# packages: the files, the menu entry, MIME types, metainfo, icon and manual
# pages, and a run of the installed veska-console on the installed example data.
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

# --- what the install rules put in place -----------------------------------------
# The files the Debian packages are made of (debian/*.install takes them from
# here); the packages themselves are built and checked by debian_test.sh.
root="$scratch/root"
if ! DESTDIR="$root" cmake --install "$build" --prefix /usr >"$scratch/install.log" 2>&1; then
  cat "$scratch/install.log"; fail "cmake --install failed"
fi
listing=$(cd "$root" && find . -mindepth 1 | sort)
expected=(./usr/bin/veska-console
          ./usr/share/man/man1/veska-console.1
          ./usr/share/doc/veska/README ./usr/share/doc/veska/LICENSE
          ./usr/share/veska/examples/undated.rwl ./usr/share/veska/examples/dated.rwl
          ./usr/share/veska/examples/index.crn ./usr/share/veska/examples/formatted.dat)
[ -n "$window" ] && expected+=(./usr/bin/veska ./usr/share/man/man1/veska.1
          ./usr/share/applications/veska.desktop
          ./usr/share/mime/packages/veska.xml
          ./usr/share/metainfo/io.veska.veska.metainfo.xml
          ./usr/share/icons/hicolor/scalable/apps/veska.svg
          ./usr/share/icons/hicolor/64x64/apps/veska.png)
for path in "${expected[@]}"; do
  check "the install lacks $path" grep -qx "$path" <<<"$listing"
done
check "the installed README is not the short one for users" \
  test "$(wc -c <"$root/usr/share/doc/veska/README")" -lt 4096

# --- what it installs ------------------------------------------------------------
if [ -n "$window" ]; then
  entry="$root/usr/share/applications/veska.desktop"
  # Not even a hint: two main categories, for one, show the entry twice in menus.
  hints=$(desktop-file-validate "$entry" 2>&1); status=$?
  check "the desktop entry does not validate cleanly: $hints" test "$status" -eq 0 -a -z "$hints"
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
  for pattern in rwl crn fh d; do
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
latest=$(dpkg-parsechangelog -l "$src/debian/changelog" -S Version)
check "debian/changelog's latest entry is $latest, not $version" test "$latest" = "$version"
# Manual pages: no roff warning, the version in the header, and on an
# 80-column terminal no line wider than the terminal.
for page in "$root"/usr/share/man/man1/*.1; do
  name=$(basename "$page")
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
  check "$name has roff warnings: $warnings" test -z "$warnings"
  check "$name does not carry version $version" grep -q "^\.TH .*\"veska $version\"" "$page"
  width=$(LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$page" 2>/dev/null | LC_ALL=C.UTF-8 wc -L)
  check "$name is $width columns wide on an 80-column terminal" test "$width" -le 80
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
echo "install: $(wc -l <<<"$listing") entries, all checks passed"
