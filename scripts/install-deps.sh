#!/usr/bin/env bash
# The single list of Debian packages the project needs. Installs only what is missing.
set -euo pipefail

packages=(
  # build
  build-essential cmake pkg-config python3
  # libraries
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  zlib1g-dev libpugixml-dev qt6-base-dev qt6-base-private-dev libzip-dev
  # document checks: schema validation, rendering to PDF, reading PDFs back
  libxml2-utils unzip libreoffice-writer-nogui poppler-utils fonts-liberation
  # the desktop program on a virtual display
  xvfb xauth xdotool libx11-dev
  # the Windows build, run under Wine; dpkg-dev unpacks Debian's pugixml source
  g++-mingw-w64-x86-64-posix libz-mingw-w64-dev mingw-w64-tools wine wine64 dpkg-dev
  # the Debian package and its checks (dpkg-shlibdeps is in dpkg-dev)
  lintian desktop-file-utils appstream man-db inotify-tools
  # the installer for Windows
  nsis
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all ${#packages[@]} packages present"
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
