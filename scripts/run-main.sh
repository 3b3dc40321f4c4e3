#!/usr/bin/env bash
# The main job of `make run`: the portrait chart as a .docx in the build folder.
set -euo pipefail
build=${1:-build}
exec "$build/app/quorvane-chart" --force -o "$build/ascii-chart-portrait.docx"
