#!/usr/bin/env bash
# The one list of Debian packages the project needs, grouped by what each is for.
#   install-deps.sh GROUP...   installs what is missing of those groups
#   install-deps.sh all        every group
# Each make target asks only for its groups, so that `make run` stays small.
set -euo pipefail

# Building: the compiler, python3 for the code page tables, and every library
# the configure step looks for (the tests and benchmarks are configured with
# the programs).
build=(
  build-essential cmake pkg-config python3
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  zlib1g-dev libpugixml-dev qt6-base-dev qt6-base-private-dev libzip-dev libx11-dev
)
# Running the desktop program: Qt's platform plugins (libqt6gui6 only
# recommends them) and the opener for the finished document.
run=(qt6-qpa-plugins xdg-utils)
# The tests: schema validation, rendering to PDF and reading it back, the
# desktop program on a virtual display, watching files appear.
test=(
  libxml2-utils unzip libreoffice-writer-nogui poppler-utils fonts-liberation
  xvfb xauth xdotool inotify-tools
)
# The Windows build and its tests under Wine; dpkg-dev unpacks Debian's
# pugixml source; NSIS packs the installer.
windows=(g++-mingw-w64-x86-64-posix libz-mingw-w64-dev mingw-w64-tools wine wine64 dpkg-dev nsis)
# The Debian package and its checks (dpkg-shlibdeps is in dpkg-dev).
package=(dpkg-dev lintian desktop-file-utils appstream man-db)
# make format.
format=(clang-format)

groups=("$@")
if [ ${#groups[@]} -eq 0 ] || [ "${groups[*]}" = all ]; then
  groups=(build run test windows package format)
fi

packages=()
for g in "${groups[@]}"; do
  case "$g" in
    build | run | test | windows | package | format) ;;
    *) echo "install-deps: unknown group '$g' (build, run, test, windows, package, format, all)" >&2; exit 2 ;;
  esac
  declare -n list="$g"
  packages+=("${list[@]}")
  unset -n list
done

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all packages of ${groups[*]} present"
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
