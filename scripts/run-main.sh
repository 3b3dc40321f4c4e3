#!/usr/bin/env bash
# The main job of `make run`: the desktop program, or, where there is no
# display to show it on, the portrait chart from the command-line tool.
set -euo pipefail
build=${1:-build}
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  chart="$build/ascii-chart-portrait.docx"
  echo "run-main: no display available; writing the portrait chart to $chart with quorvane-chart instead"
  exec "$build/app/cli/quorvane-chart" --force -o "$chart"
fi
exec "$build/app/qt/quorvane"
