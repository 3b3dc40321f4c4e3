#!/usr/bin/env bash
# Hostile input from outside, as an attacker would try it: memory limits,
# names and footers the tool must refuse, kills at random moments, and for
# the window program stale locks, damaged and huge settings, a skin naming a
# FIFO, a huge cursor picture, a home folder whose name is not UTF-8 and no
# HOME at all. Each run must end (no hang), never abort, lose or misplace no
# file, and say what happened. Everything happens in a scratch folder; the
# window program runs on a virtual display of its own.
#
# usage: hostile_attacks.sh QUORVANE-CHART [QUORVANE X-CLOSE]
set -u
# shellcheck source=../support/checks.sh
source "$(dirname "$0")/../support/checks.sh"
# shellcheck source=../support/x_display.sh
source "$(dirname "$0")/../support/x_display.sh"

chart=$(realpath "${1:?usage: hostile_attacks.sh QUORVANE-CHART [QUORVANE X-CLOSE]}")
program=${2:+$(realpath "$2")}
x_close=${3:+$(realpath "$3")}

work=$(mktemp -d)
xvfb_pid=
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  chmod -R u+rwx "$work" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# What a folder holds, hidden names too, one line.
holds() { ls -A "$1" 2>/dev/null | tr '\n' ' '; }

# A complete document: a zip that unzip can test.
complete() { unzip -tq "$1" >/dev/null 2>&1; }

# --- quorvane-chart: memory limits ------------------------------------------
# From too little to start at all (the loader's own failure, status 127) to
# enough: "Out of memory" and status 1, or the document; never an abort.
mkdir "$work/memory"
for kb in $(seq 4000 200 9000); do
  message=$( (ulimit -v "$kb"; exec "$chart" -o "$work/memory/m.docx") 2>&1 >/dev/null)
  status=$?
  case "$status:$message" in
    127:*) ;;
    0:*) complete "$work/memory/m.docx" || fail "ulimit -v $kb: no complete document" ;;
    1:*"Out of memory"*) [ -e "$work/memory/m.docx" ] && fail "ulimit -v $kb: a document after a failure" ;;
    *) fail "ulimit -v $kb: status $status: $message" ;;
  esac
  rm -f "$work/memory/m.docx"
  expect_eq "ulimit -v $kb: left over" "" "$(holds "$work/memory")"
done

# --- quorvane-chart: names, footers, standard output ------------------------
cd "$work" || exit 1
for name in new/ new/. new/..; do
  message=$("$chart" -o "$name" 2>&1)
  expect_eq "-o $name: status" 1 $?
  expect_eq "-o $name" "quorvane-chart: Cannot write \"$name\": it names a folder, not a file" "$message"
  [ -e new ] && fail "-o $name made a folder"
done
message=$("$chart" -o closed.docx 2>&1 >&-)
expect_eq "closed standard output: status" 1 $?
expect_eq "closed standard output" \
  "quorvane-chart: cannot write to standard output, but closed.docx was written" "$message"
complete closed.docx || fail "closed standard output: no complete document"
for footer in $'caf\xe9' $'a\x01' $'\xef\xbf\xbe'; do
  "$chart" --footer "$footer" -o footer.docx >/dev/null 2>&1
  status=$?
  expect_eq "--footer $(printf %q "$footer"): status" 2 "$status"
  [ -e footer.docx ] && fail "--footer $(printf %q "$footer"): a document was written"
done
"$chart" --footer $'a\rb\nc\r\nd' -o footer.docx >/dev/null || fail "--footer with line breaks failed"
unzip -p footer.docx 'word/footer*.xml' | grep -q '>a b c d<' ||
  fail "--footer: the line breaks did not become spaces"

# A target path as long as a path may be (4,095 bytes) is written, and
# replaced with --force, leaving nothing beside it.
long=$work/long
while [ $((${#long} + 213)) -lt 4095 ]; do long=$long/$(printf 'f%.0s' $(seq 200)); done
mkdir -p "$long"
target=$long/$(printf 'c%.0s' $(seq $((4094 - ${#long}))))
expect_eq "long path: length" 4095 "${#target}"
"$chart" -o "$target" >/dev/null || fail "long path: the first write failed"
"$chart" --force -o "$target" >/dev/null || fail "long path: --force failed"
complete "$target" || fail "long path: no complete document"
expect_eq "long path: left over" "$(basename "$target") " "$(holds "$long")"

# --- quorvane-chart: killed at random moments -------------------------------
# What is left is the complete document or nothing, and nothing hidden.
mkdir "$work/kills"
for run in $(seq 40); do
  signal=$(echo TERM INT HUP PIPE | cut -d' ' -f$((run % 4 + 1)))
  force=$([ $((run % 2)) = 0 ] && echo --force)
  "$chart" $force -o "$work/kills/k.docx" >/dev/null 2>&1 &
  sleep "0.00$((RANDOM % 10))"
  kill -"$signal" $! 2>/dev/null
  wait $! 2>/dev/null
  left=$(holds "$work/kills")
  case "$left" in
    "" | "k.docx ") ;;
    *) fail "killed by $signal: left $left" ;;
  esac
  [ -e "$work/kills/k.docx" ] && ! complete "$work/kills/k.docx" && fail "killed by $signal: a broken document"
done

[ -n "$program" ] || finish "hostile_attacks (quorvane-chart only)"

# --- quorvane: on a virtual display -----------------------------------------
for tool in Xvfb xdotool timeout; do
  command -v "$tool" >/dev/null || { fail "$tool is not installed"; finish; }
done
start_display "$work" || { fail "Xvfb did not start: $(cat "$work/xvfb.log")"; finish; }
export QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8
unset WAYLAND_DISPLAY XDG_CURRENT_DESKTOP DESKTOP_SESSION SESSION_MANAGER
mkdir -p "$work/bin" "$work/runtime"
chmod 700 "$work/runtime"
export XDG_RUNTIME_DIR=$work/runtime
printf '#!/bin/sh\nexit 0\n' >"$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
export PATH=$work/bin:$PATH

# A copy of the program in a folder of its own, for a skin or cursor there.
installed() {  # folder
  mkdir -p "$1/x"
  cp "$program" "$1/quorvane"
  echo "$1/quorvane"
}

# Runs `binary` with the environment that follows it, dismissing every
# error box, until its window is there; then presses "Start Creating" when
# START is set, and closes the window. Sets `boxes` (how many error boxes)
# and `seconds` (until the window). A run without a window within 20 s
# fails, as a hang.
run_window() {  # binary [VAR=value ...]
  local binary=$1 pid window box start
  shift
  env "$@" timeout 60 "$binary" >"$work/app.log" 2>&1 &
  pid=$!
  boxes=0
  start=$(date +%s)
  window=
  while [ $(($(date +%s) - start)) -lt 20 ]; do
    box=$(xdotool search --onlyvisible --name '^Application Error$' 2>/dev/null | head -1)
    if [ -n "$box" ]; then
      boxes=$((boxes + 1))
      xdotool windowfocus --sync "$box" key Return 2>/dev/null
      sleep 0.3
      continue
    fi
    window=$(xdotool search --onlyvisible --name '^Quorvane Software$' 2>/dev/null | head -1)
    [ -n "$window" ] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  seconds=$(($(date +%s) - start))
  if [ -z "$window" ]; then
    fail "no window within 20 s ($*): $(grep -v '^$' "$work/app.log" | head -n 3 | tr '\n' ' ')"
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    return
  fi
  if [ -n "${START:-}" ]; then
    xdotool mousemove --window "$window" 268 101 click 1
    done_box=$(timeout 30 xdotool search --sync --onlyvisible --name '^Quorvane$' | head -1)
    [ -n "$done_box" ] || fail "no \"Done.\" after Start Creating ($*)"
    [ -n "$done_box" ] && xdotool windowfocus --sync "$done_box" key Return 2>/dev/null
    sleep 0.3
  fi
  # The pointer over "Start Creating" shows the hand cursor.
  xdotool mousemove --window "$window" 268 101 2>/dev/null
  sleep 0.5
  kill -0 "$pid" 2>/dev/null || fail "the program ended with the pointer over the button ($*)"
  "$x_close" "$window" 2>/dev/null
  for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
}

# A scratch home with its configuration folder.
home() {  # name
  rm -rf "${work:?}/$1"
  mkdir -p "$work/$1/.config"
  echo "$work/$1"
}

# Stale locks: the window within a few seconds, the choice reported.
h=$(home lock)
echo junk >"$h/.config/Brelmor.conf.lock"
run_window "$program" HOME="$h" XDG_CONFIG_HOME="$h/.config"
[ "$seconds" -le 8 ] || fail "junk lock: the window took $seconds s"
[ "$boxes" -ge 1 ] || fail "junk lock: not reported"
chmod 555 "$h/.config"
run_window "$program" HOME="$h" XDG_CONFIG_HOME="$h/.config"
[ "$seconds" -le 8 ] || fail "junk lock, read-only folder: the window took $seconds s"
chmod 755 "$h/.config"
expect_eq "junk lock: the lock" junk "$(cat "$h/.config/Brelmor.conf.lock")"

# A damaged settings file: kept whole beside the fresh one.
h=$(home damaged)
printf '[Other]\nkept=1\nnoequals\n\n[Quorvane%%20Software]\nOption1=False\nOption2=True\n' \
  >"$h/.config/Brelmor.conf"
cp "$h/.config/Brelmor.conf" "$work/damaged.orig"
run_window "$program" HOME="$h" XDG_CONFIG_HOME="$h/.config"
cmp -s "$work/damaged.orig" "$h/.config/Brelmor.conf.damaged" ||
  fail "damaged settings: not kept byte for byte: $(holds "$h/.config")"
grep -qx 'Option1=True' "$h/.config/Brelmor.conf" || fail "damaged settings: no fresh file"
[ "$boxes" -ge 1 ] || fail "damaged settings: not reported"

# Random bytes: the same.
h=$(home random)
head -c 4096 /dev/urandom >"$h/.config/Brelmor.conf"
cp "$h/.config/Brelmor.conf" "$work/random.orig"
run_window "$program" HOME="$h" XDG_CONFIG_HOME="$h/.config"
cmp -s "$work/random.orig" "$h/.config/Brelmor.conf.damaged" || fail "random settings: not kept"

# A huge settings file: refused at once, left as it was.
h=$(home huge)
truncate -s 100M "$h/.config/Brelmor.conf"
run_window "$program" HOME="$h" XDG_CONFIG_HOME="$h/.config"
[ "$seconds" -le 8 ] || fail "huge settings: the window took $seconds s"
expect_eq "huge settings: size" 104857600 "$(stat -c %s "$h/.config/Brelmor.conf")"
[ "$boxes" -ge 1 ] || fail "huge settings: not reported"

# A home folder whose name is not UTF-8: the chart and the settings go there.
h=$(home $'caf\xe9')
START=1 run_window "$program" HOME="$h" XDG_CONFIG_HOME=
[ -f "$h/Documents/ASCII Conversion Chart - Portrait.docx" ] ||
  fail "home not UTF-8: no chart in it: $(holds "$h") $(holds "$h/Documents")"
[ -f "$h/.config/Brelmor.conf" ] || fail "home not UTF-8: no settings in it"
expect_eq "home not UTF-8: beside it" "$(printf 'caf\xe9')" \
  "$(cd "$work" && ls -d caf* | tr '\n' ' ' | sed 's/ $//')"

# No HOME: nothing under / (the user database's home is not written here
# either: the folders come from XDG_CONFIG_HOME and user-dirs.dirs).
h=$(home nohome)
echo "XDG_DOCUMENTS_DIR=\"$h/Documents\"" >"$h/.config/user-dirs.dirs"
START=1 run_window "$program" -u HOME XDG_CONFIG_HOME="$h/.config"
[ -f "$h/Documents/ASCII Conversion Chart - Portrait.docx" ] || fail "no HOME: no chart"
[ -f "$h/.config/Brelmor.conf" ] || fail "no HOME: no settings"
[ -e /Documents ] && fail "no HOME: /Documents exists"

# Killed while it saves the settings: nothing but the settings file left.
h=$(home killed)
for run in $(seq 10); do
  env HOME="$h" XDG_CONFIG_HOME="$h/.config" "$program" >/dev/null 2>&1 &
  sleep "0.$((RANDOM % 9 + 1))"
  kill -TERM $! 2>/dev/null
  wait $! 2>/dev/null
  case "$(holds "$h/.config")" in
    "" | "Brelmor.conf ") ;;
    *) fail "killed during the start: left $(holds "$h/.config")" ;;
  esac
done

# A skin that names a FIFO: refused, and the window comes.
folder=$work/skin
binary=$(installed "$folder")
mkfifo "$folder/fifo"
echo "QPushButton { image: url($folder/fifo); }" >"$folder/x/o.cjs"
h=$(home skin-home)
run_window "$binary" HOME="$h" XDG_CONFIG_HOME="$h/.config"
expect_eq "skin naming a FIFO: reports" 1 "$boxes"
[ -p "$folder/fifo" ] || fail "skin naming a FIFO: the FIFO is gone"

# A cursor picture far larger than a cursor can be: refused, no crash.
if command -v python3 >/dev/null; then
  folder=$work/cursor
  binary=$(installed "$folder")
  python3 - "$folder/HAND-M.CUR" <<'PY'
import struct, sys, zlib
side = 2100
row = b"\0" + b"\0" * ((side + 7) // 8)
def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
png = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", side, side, 1, 0, 0, 0, 0))
       + chunk(b"IDAT", zlib.compress(row * side, 9)) + chunk(b"IEND", b""))
entry = struct.pack("<BBBBHHII", 0, 0, 0, 0, 1, 1, len(png), 22)
open(sys.argv[1], "wb").write(struct.pack("<HHH", 0, 2, 1) + entry + png)
PY
  h=$(home cursor-home)
  run_window "$binary" HOME="$h" XDG_CONFIG_HOME="$h/.config"
  expect_eq "huge cursor: reports" 1 "$boxes"
fi

finish "hostile_attacks"
