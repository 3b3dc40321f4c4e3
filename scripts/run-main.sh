#!/usr/bin/env bash
# The main job of `make run`.
set -euo pipefail
build=${1:-build}
exec "$build/app/quorvane-chart" --text
