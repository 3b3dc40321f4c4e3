#!/usr/bin/env bash
# Runs quorvane-chart as a process: its chart texts against the expected
# files, its exit statuses and its messages.
set -u
# shellcheck source=../../support/checks.sh
source "$(dirname "$0")/../../support/checks.sh"

usage="usage: chart_tool_test.sh PATH-TO-quorvane-chart EXPECTED-OUTPUT-FOLDER"
tool=${1:?$usage}
data=${2:?$usage}
export LC_ALL=C
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

hex_of() { od -An -v -tx1 | tr -d ' \n'; }

# --- the chart texts -----------------------------------------------------------
for args in "--text" "--text --landscape" "--landscape --text"; do
  expected=$data/chart/portrait.txt
  case $args in *--landscape*) expected=$data/chart/landscape.txt ;; esac
  # shellcheck disable=SC2086  # split on purpose
  "$tool" $args >"$work/text" 2>"$work/text.err"
  expect_eq "'$args' exit status" 0 $?
  expect_eq "'$args' standard error" "" "$(cat "$work/text.err")"
  expect_same_file "'$args'" "$expected" "$work/text"
done

# --- help, version, usage errors ------------------------------------------
"$tool" --help >"$work/help" 2>"$work/help.err"
expect_eq "--help exit status" 0 $?
grep -q '^Usage: quorvane-chart' "$work/help" || fail "--help: no usage on standard output"
expect_eq "--help standard error" "" "$(cat "$work/help.err")"

"$tool" --version >"$work/version" 2>/dev/null
expect_eq "--version exit status" 0 $?
grep -qxE 'quorvane-chart [0-9]+\.[0-9]+\.[0-9]+' "$work/version" ||
  fail "--version printed '$(cat "$work/version")'"

for args in "--x" "--text --x" "--x --text"; do
  # shellcheck disable=SC2086  # split on purpose
  "$tool" $args >"$work/bad" 2>"$work/bad.err"
  expect_eq "'$args' exit status" 2 $?
  expect_eq "'$args' standard output" "" "$(cat "$work/bad")"
  expect_eq "'$args' error line" "quorvane-chart: unknown option '--x'" "$(head -n 1 "$work/bad.err")"
  sed -n 2p "$work/bad.err" | grep -q '^Usage: quorvane-chart' ||
    fail "'$args': the usage does not follow the one-line error"
done

# --- standard output that cannot be written --------------------------------
# A full device of our own (never the real /dev/full): every write to it
# fails with ENOSPC. Making it needs root, as CI runs.
if ! mknod "$work/full" c 1 7 2>"$work/mknod.err"; then
  fail "cannot make a full device for the checks (run as root): $(cat "$work/mknod.err")"
else
  for args in "--help" "--version" "--text" "--text --landscape" "-o -" "-o $work/w.docx"; do
    # shellcheck disable=SC2086  # split on purpose
    "$tool" $args >"$work/full" 2>"$work/full.err"
    expect_eq "'$args' to a full device: exit status" 1 $?
    grep -q '^quorvane-chart: cannot write to standard output' "$work/full.err" ||
      fail "'$args' to a full device: no clear message: $(cat "$work/full.err")"
  done
  [ -c "$work/full" ] || fail "the full device is no longer a character device"
fi
# Closed, the document is written all the same, and the message says so.
"$tool" -o "$work/closed.docx" >&- 2>"$work/closed.err"
expect_eq "closed standard output: exit status" 1 $?
expect_eq "closed standard output: message" \
  "quorvane-chart: cannot write to standard output, but $work/closed.docx was written" \
  "$(cat "$work/closed.err")"
[ -s "$work/closed.docx" ] || fail "closed standard output: no document"

# --- what -o may replace: only a regular file -----------------------------
# Device nodes, FIFOs and links of our own, in a scratch folder: never the
# real /dev/full, /dev/zero or /dev/null.
targets="$work/targets"
mkdir "$targets" "$targets/folder" "$targets/real"
mkfifo "$targets/fifo"
devices=no
if mknod "$targets/device" c 1 3 2>/dev/null; then devices=yes; fi
ln -s fifo "$targets/link-to-fifo"
ln -s folder "$targets/link-to-folder"
ln -s device "$targets/link-to-device"
ln -s missing "$targets/dangling"
ln -s /proc/self/fd/1 "$targets/link-to-stdout"  # a pipe below

entry_of() { stat -c '%F' "$1" 2>&1; readlink "$1"; }
listing() { (cd "$targets" && ls -A real . | tr '\n' ' '); }

while IFS='|' read -r name why; do
  case "$name" in *device*) [ "$devices" = yes ] || continue ;; esac
  name=${name%% *}
  path="$targets/$name"
  before=$(entry_of "$path")
  before_listing=$(listing)
  for force in "" "--force"; do
    what="-o $name $force"
    # Standard output is a pipe, so that /proc/self/fd/1 names one.
    # shellcheck disable=SC2086  # an empty $force is no argument
    "$tool" $force -o "$path" 2>"$work/target.err" | cat >"$work/target.out"
    expect_eq "$what: exit status" 1 "${PIPESTATUS[0]}"
    expect_eq "$what: message" "quorvane-chart: Cannot write \"$path\": $why" \
      "$(cat "$work/target.err")"
    expect_eq "$what: standard output" "" "$(cat "$work/target.out")"
    expect_eq "$what: the entry" "$before" "$(entry_of "$path")"
    expect_eq "$what: the folder" "$before_listing" "$(listing)"
  done
done <<'TABLE'
folder          |it is a folder, not a regular file
fifo            |it is a FIFO, not a regular file
device          |it is a character device, not a regular file
link-to-fifo    |it is a symbolic link to a FIFO, not to a regular file
link-to-folder  |it is a symbolic link to a folder, not to a regular file
link-to-device  |it is a symbolic link to a character device, not to a regular file
dangling        |it is a dangling symbolic link
link-to-stdout  |it is a symbolic link to a FIFO, not to a regular file
TABLE

# A name that ends in a separator names a folder: refused before any work.
for name in new/ new/. new/..; do
  "$tool" -o "$targets/$name" 2>"$work/target.err"
  expect_eq "-o $name: exit status" 1 $?
  expect_eq "-o $name: message" \
    "quorvane-chart: Cannot write \"$targets/$name\": it names a folder, not a file" \
    "$(cat "$work/target.err")"
  [ -e "$targets/new" ] && fail "-o $name: $targets/new was made"
done

# A footer that is no UTF-8 text is refused, not mended.
"$tool" --footer $'caf\xe9' -o "$work/footer.docx" 2>"$work/footer.err"
expect_eq "--footer not UTF-8: exit status" 2 $?
expect_eq "--footer not UTF-8: message" \
  "quorvane-chart: the --footer text is not valid UTF-8" "$(head -n 1 "$work/footer.err")"
[ -e "$work/footer.docx" ] && fail "--footer not UTF-8: a document was written"

# A regular file: replaced only with --force, keeping its permission bits;
# through a link, in its own folder, and the link stays.
printf mine >"$targets/real/chart.docx"
chmod 640 "$targets/real/chart.docx"
ln -s real/chart.docx "$targets/link-to-file"
for name in real/chart.docx link-to-file; do
  path="$targets/$name"
  "$tool" -o "$path" >"$work/target.out" 2>"$work/target.err"
  expect_eq "-o $name: exit status" 1 $?
  expect_eq "-o $name: message" \
    "quorvane-chart: \"$path\" already exists; use --force to replace it" "$(cat "$work/target.err")"
  expect_eq "-o $name: left alone" mine "$(cat "$targets/real/chart.docx")"
  "$tool" --force -o "$path" >"$work/target.out" 2>"$work/target.err"
  expect_eq "--force -o $name: exit status" 0 $?
  expect_eq "--force -o $name: report" "Wrote $path" "$(cat "$work/target.out")"
  expect_eq "--force -o $name: zip signature" 504b0304 \
    "$(head -c 4 "$targets/real/chart.docx" | hex_of)"
  expect_eq "--force -o $name: permission bits" 640 "$(stat -c %a "$targets/real/chart.docx")"
  printf mine >"$targets/real/chart.docx"
done
expect_eq "the link stays a link" real/chart.docx "$(readlink "$targets/link-to-file")"
expect_eq "nothing beside the replaced file" "chart.docx" "$(ls -A "$targets/real")"

# "-" is standard output, even beside a file of that name.
printf mine >"$targets/-"
tool_path=$(realpath "$tool")
(cd "$targets" && "$tool_path" -o - >"$work/stdout.docx" 2>"$work/stdout.err")
expect_eq "-o -: exit status" 0 $?
expect_eq "-o -: zip signature" 504b0304 "$(head -c 4 "$work/stdout.docx" | hex_of)"
expect_eq "-o -: the file named -" mine "$(cat "$targets/-")"

finish "chart tool: all checks"
