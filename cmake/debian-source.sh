#!/usr/bin/env bash
# Unpacks Debian's source package PACKAGE into DEST/PACKAGE-VERSION, with the
# package's own patches applied, and prints that folder. The source lines are
# derived from the machine's own apt sources into DEST/apt; the machine's apt
# configuration and state are left alone. An unpacked source is reused, so a
# rebuild needs no network.
set -euo pipefail

package=$1
dest=$(mkdir -p "$2" && cd "$2" && pwd)

existing=$(find "$dest" -mindepth 1 -maxdepth 1 -type d -name "$package-*" | sort | tail -n 1)
if [ -n "$existing" ]; then
  echo "$existing"
  exit 0
fi

apt_dir=$dest/apt
rm -rf "$apt_dir"
mkdir -p "$apt_dir/parts" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"

# One-line sources: every "deb" line again as "deb-src".
{
  for list in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$list" ] || continue
    sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' "$list"
  done
} >"$apt_dir/sources.list"

# deb822 sources: each stanza that lists "deb" again with "deb-src" only.
for sources in /etc/apt/sources.list.d/*.sources; do
  [ -f "$sources" ] || continue
  awk '
    /^Types:/ { if ($0 ~ /[[:space:]]deb([[:space:]]|$)/) print "Types: deb-src"; else print "Types: none"; next }
    { print }
  ' "$sources" | awk -v RS= -v ORS='\n\n' '!/\nTypes: none/ && !/^Types: none/ && !/\nEnabled: no/' \
    >"$apt_dir/parts/$(basename "$sources")"
done

apt_options=(
  -o "Dir::Etc::SourceList=$apt_dir/sources.list"
  -o "Dir::Etc::SourceParts=$apt_dir/parts"
  -o "Dir::State::Lists=$apt_dir/lists"
  -o "Dir::Cache=$apt_dir/cache"
  -o "Dir::Cache::pkgcache="
  -o "Dir::Cache::srcpkgcache="
  -o "Debug::NoLocking=true"
  -o "APT::Get::List-Cleanup=false"
)
# apt drops to its own user for downloads, who may not write into the build folder.
if [ "$(id -u)" -eq 0 ]; then apt_options+=(-o "APT::Sandbox::User=root"); fi

apt-get "${apt_options[@]}" -qq update >&2
(cd "$dest" && apt-get "${apt_options[@]}" -qq source "$package" >&2)

unpacked=$(find "$dest" -mindepth 1 -maxdepth 1 -type d -name "$package-*" | sort | tail -n 1)
if [ -z "$unpacked" ]; then
  echo "debian-source: no source of $package was unpacked in $dest" >&2
  exit 1
fi
echo "$unpacked"
