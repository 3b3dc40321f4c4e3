#!/usr/bin/env bash
# quorvane-setup.exe /S in a Wine prefix of the test's own: the files, the
# Start menu entry, the entry among the installed programs and a chart from
# the installed tool; then the uninstaller, as the registry names it, takes
# away all of that and nothing else. The portable zip holds the same files.
# Usage: installer_test.sh SCRATCH SETUP ZIP VERSION [LINUX_TOOL]
set -uo pipefail
scratch=$1
setup=$2
zip=$3
version=$4
linux=${5:-}

export WINEPREFIX=$scratch/prefix
export WINEARCH=win64
export WINEDEBUG=-all
# As wine-run.sh; and no menu builder, which would copy the Start menu entry
# into this machine's home folder.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset DISPLAY
# A server left over from an interrupted run would hold the old prefix.
if [ -d "$WINEPREFIX" ]; then wineserver -k 2>/dev/null; wineserver -w 2>/dev/null; fi
trap 'wineserver -k 2>/dev/null' EXIT
rm -rf "$scratch"
mkdir -p "$scratch"
cd "$scratch" || exit 1

folder="$WINEPREFIX/drive_c/Program Files/Quorvane"
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Quorvane.lnk"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorvane'
files=(quorvane.exe quorvane-chart.exe x/o.cjs HAND-M.CUR)

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
# Output always to a file: the services that a first call starts would hold
# a pipe open, and the caller would wait for them.
windows() { wine "$@" </dev/null >windows.out 2>>wine.log; }
listed() {
  windows uninstaller --list || fail "wine uninstaller --list exits with $?"
  grep -q '|||Quorvane' windows.out
}

echo "== the portable zip"
unzip -Z1 "$zip" | grep -v '/$' | sort >zip.txt
printf 'Quorvane/%s\n' "${files[@]}" | sort >expected.txt
diff expected.txt zip.txt || fail "the zip does not hold exactly the four files"
unzip -q "$zip" -d portable || fail "the zip does not unpack"

install() {
  windows "$setup" /S || fail "setup /S exits with $?"
  wineserver -w
  for file in "${files[@]}" Uninstall.exe; do
    [ -f "$folder/$file" ] || fail "setup did not install $file"
  done
  for file in "${files[@]}"; do
    cmp -s "portable/Quorvane/$file" "$folder/$file" || fail "$file differs from the zip's"
  done
  tr -d '\000' <"$shortcut" | grep -qF 'C:\Program Files\Quorvane\quorvane.exe' ||
    fail "no Start menu shortcut to quorvane.exe"
  listed || fail "wine uninstaller --list does not list Quorvane"
}

# The uninstaller copies itself elsewhere and returns at once: the wait is
# for the prefix's server, which ends after the last program.
uninstall() {
  windows reg query "$key" /v QuietUninstallString
  local command
  command=$(sed -n 's/.*REG_SZ *"\(.*\)" \/S\r*$/\1/p' windows.out)
  [ -n "$command" ] || { fail "no QuietUninstallString"; return; }
  windows "$command" /S || fail "the uninstaller exits with $?"
  wineserver -w
  for file in "${files[@]}" Uninstall.exe x; do
    [ ! -e "$folder/$file" ] || fail "the uninstaller left $file"
  done
  [ ! -e "$shortcut" ] || fail "the uninstaller left the shortcut"
  ! windows reg query "$key" || fail "the uninstaller left the registry key"
  ! listed || fail "Quorvane is still listed after uninstalling"
}

echo "== setup /S"
install
windows reg query "$key"
for value in DisplayName Publisher DisplayIcon UninstallString InstallLocation NoModify NoRepair; do
  grep -q "^ *$value " windows.out || fail "the registry key has no $value"
done
grep -q "^ *DisplayVersion *REG_SZ *$version"$'\r*$' windows.out || fail "DisplayVersion is not $version"
grep -q '^ *EstimatedSize *REG_DWORD *0x[1-9a-f]' windows.out || fail "no EstimatedSize"

echo "== the installed quorvane-chart.exe"
windows 'C:\Program Files\Quorvane\quorvane-chart.exe' --landscape -o installed.docx ||
  fail "the installed quorvane-chart.exe exits with $?"
if [ -n "$linux" ]; then
  "$linux" --landscape -o linux.docx >/dev/null
  cmp linux.docx installed.docx || fail "the installed tool's chart differs from the Linux tool's"
else
  unzip -l installed.docx word/document.xml >/dev/null || fail "the installed tool wrote no chart"
fi

echo "== uninstall /S with a file of the user's in the folder"
echo mine >"$folder/notes.txt"
uninstall
[ "$(cat "$folder/notes.txt" 2>/dev/null)" = mine ] || fail "the uninstaller took the user's file"

echo "== again, without it: the folder goes too"
rm -f "$folder/notes.txt"
install
uninstall
[ ! -e "$folder" ] || fail "the uninstaller left the empty folder"

[ "$failures" = 0 ] && echo "installer: installs, uninstalls and leaves the user's file"
exit $((failures > 0))
