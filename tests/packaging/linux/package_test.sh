#!/usr/bin/env bash
# The Debian package, made by CPack from the build as `make package` makes it:
#   package_test.sh build CPACK-CONFIG SCRATCH   the .deb, unpacked into SCRATCH/root
#   package_test.sh contents SCRATCH EXPECTED    its listing, its fields, lintian, validators
#   package_test.sh installed SCRATCH CHART      the unpacked programs at work
#   package_test.sh manuals SCRATCH              the manual pages render and cover the options
set -u

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

step=${1:?usage: package_test.sh build|contents|installed|manuals ...}
shift

deb_of() { ls "$1"/deb/quorvane_*_amd64.deb 2>/dev/null | head -1; }

case $step in
build)
  config=$1 scratch=$2
  rm -rf "$scratch" && mkdir -p "$scratch/deb" || fail "cannot make $scratch"
  cpack --config "$config" -G DEB -B "$scratch/deb" >"$scratch/cpack.log" 2>&1 ||
    fail "cpack failed: $(cat "$scratch/cpack.log")"
  deb=$(deb_of "$scratch")
  [ -n "$deb" ] || fail "cpack made no quorvane_VERSION_amd64.deb: $(ls "$scratch/deb")"
  dpkg-deb -x "$deb" "$scratch/root" || fail "dpkg-deb cannot unpack $deb"
  ;;

contents)
  scratch=$1 expected=$2
  deb=$(deb_of "$scratch")
  [ -n "$deb" ] || fail "no package in $scratch/deb"
  # Modes, owners and names; sizes and times change from build to build.
  dpkg-deb -c "$deb" | awk '{ $3 = $4 = $5 = ""; print }' | tr -s ' ' >"$scratch/contents"
  diff -u "$expected" "$scratch/contents" || fail "the package holds other files than expected"

  depends=$(dpkg-deb -f "$deb" Depends)
  for needed in 'libc6 (>=' 'libqt6widgets6 (>=' 'zlib1g (>=' 'xdg-utils' 'qt6-qpa-plugins' 'qt6-base-abi (= '; do
    case $depends in *"$needed"*) ;; *) fail "Depends lacks '$needed': $depends" ;; esac
  done
  [ "$(dpkg-deb -f "$deb" Package)" = quorvane ] || fail "the package is not named quorvane"

  lintian --fail-on error --no-tag-display-limit "$deb" >"$scratch/lintian.log" 2>&1 ||
    fail "lintian: $(cat "$scratch/lintian.log")"
  desktop-file-validate "$scratch"/root/usr/share/applications/*.desktop || fail "desktop-file-validate"
  appstreamcli validate --no-net "$scratch"/root/usr/share/metainfo/*.metainfo.xml ||
    fail "appstreamcli validate"
  ;;

installed)
  scratch=$1 chart=$2
  root=$scratch/root
  work=$scratch/installed
  rm -rf "$work" && mkdir -p "$work/home" "$work/runtime" "$work/bin" && chmod 700 "$work/runtime"

  "$root/usr/bin/quorvane-chart" --landscape --footer "Room 4" -o "$work/installed.docx" ||
    fail "the installed quorvane-chart failed"
  "$chart" --landscape --footer "Room 4" -o "$work/built.docx" || fail "the built quorvane-chart failed"
  cmp "$work/installed.docx" "$work/built.docx" || fail "the installed tool writes other bytes"

  # The desktop program started through its link in bin must read the skin
  # and the cursor beside the program file, not beside the link.
  export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_RUNTIME_DIR=$work/runtime
  export QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8
  printf '#!/bin/sh\n' >"$work/bin/xdg-open" && chmod +x "$work/bin/xdg-open"
  export PATH=$work/bin:$PATH
  watcher=
  program=
  trap '[ -n "$program" ] && kill $program 2>/dev/null; [ -n "$watcher" ] && kill $watcher 2>/dev/null' EXIT
  inotifywait -m -e open --format '%w%f' "$root/usr/lib/quorvane" "$root/usr/lib/quorvane/x" \
    >"$work/opened" 2>"$work/watch.log" &
  watcher=$!
  for _ in $(seq 100); do grep -q 'Watches established' "$work/watch.log" && break; sleep 0.1; done
  grep -q 'Watches established' "$work/watch.log" || fail "inotifywait did not start"

  "$root/usr/bin/quorvane" >"$work/app.log" 2>&1 &
  program=$!
  skin=$root/usr/lib/quorvane/x/o.cjs cursor=$root/usr/lib/quorvane/HAND-M.CUR
  for _ in $(seq 150); do
    grep -qxF "$skin" "$work/opened" && grep -qxF "$cursor" "$work/opened" && break
    sleep 0.1
  done
  kill -0 "$program" 2>/dev/null || fail "the program ended at start: $(cat "$work/app.log")"
  grep -qxF "$skin" "$work/opened" || fail "the skin was not read: $(cat "$work/opened")"
  grep -qxF "$cursor" "$work/opened" || fail "the cursor was not read: $(cat "$work/opened")"
  ;;

manuals)
  scratch=$1
  man1=$scratch/root/usr/share/man/man1
  for page in quorvane quorvane-chart; do
    text=$(MANWIDTH=80 man --warnings -l "$man1/$page.1.gz" 2>"$scratch/$page.warnings") ||
      fail "man cannot render $page(1)"
    [ -s "$scratch/$page.warnings" ] && fail "$page(1): $(cat "$scratch/$page.warnings")"
    for section in NAME SYNOPSIS DESCRIPTION OPTIONS 'EXIT STATUS' FILES 'SEE ALSO'; do
      grep -qx "$section" <<<"$text" || fail "$page(1) has no $section section"
    done
  done
  # Every option the tool's help names is in its manual.
  chart_page=$(MANWIDTH=200 man -l "$man1/quorvane-chart.1.gz" 2>/dev/null)
  options=$("$scratch/root/usr/bin/quorvane-chart" --help | grep -oE -- '(^|[ [])--?[a-z][a-z-]*' | tr -d ' [' | sort -u)
  [ -n "$options" ] || fail "quorvane-chart --help names no option"
  for option in $options; do
    grep -q -- "$option\b" <<<"$chart_page" || fail "quorvane-chart(1) does not describe $option"
  done
  ;;

*) fail "unknown step $step" ;;
esac
echo "package $step: passed"
