#!/usr/bin/env bash
# Whole-process cost of a code-page chart against the default (1252) chart:
# the landscape .docx and the portrait text, each with 437, 1255 (combining
# marks and right-to-left letters) and iso-8859-1 (C1 controls). Target: at
# most 1.5 times the default. Run by hand; needs hyperfine (bench/compare.sh
# installs it).
#
# usage: bench/code_page_cost.sh [PATH-TO-quorvane-chart]   (RUNS, WARMUP as in compare.sh)
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
tool=${1:-$(dirname "$here")/build/app/cli/quorvane-chart}
runs=${RUNS:-40}
warmup=${WARMUP:-5}
[ -x "$tool" ] || { echo "code_page_cost: no quorvane-chart at $tool" >&2; exit 1; }
command -v hyperfine >/dev/null || { echo "code_page_cost: needs hyperfine" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
pages=(1252 437 1255 iso-8859-1)

for what in docx text; do
  args=()
  for page in "${pages[@]}"; do
    if [ "$what" = docx ]; then
      line="$tool --landscape --code-page $page -o $work/$page.docx --force"
    else
      line="$tool --text --code-page $page"
    fi
    args+=(-n "$page" "$line")
  done
  hyperfine -N --warmup "$warmup" --runs "$runs" --style basic --output=null \
    --export-json "$work/$what.json" "${args[@]}" >/dev/null
  python3 - "$work/$what.json" "$what" <<'PY'
import json, sys
# The median wall time, and the mean CPU time (user + system), which a loaded
# machine disturbs less.
results = {r["command"]: (r["median"], r["user"] + r["system"])
           for r in json.load(open(sys.argv[1]))["results"]}
wall, cpu = results.pop("1252")
print(f"{sys.argv[2]}: 1252 {wall * 1000:.2f} ms wall, {cpu * 1000:.2f} ms CPU")
for name, (w, c) in results.items():
    worst = max(w / wall, c / cpu)
    print(f"  {name:<11}{w * 1000:7.2f} ms {w / wall:5.2f}x wall {c * 1000:7.2f} ms {c / cpu:5.2f}x CPU"
          f"  {'met' if worst <= 1.5 else 'MISSED'} (<= 1.5x)")
PY
done
