#!/usr/bin/env bash
# Whole-process comparison of quorvane-chart with what a user would otherwise
# run to get the landscape chart as .docx: a python-docx script, LibreOffice
# and pandoc converting the chart text, and a process that does nothing.
# Run by hand after `make test`; not part of the test suite.
#
# usage: bench/compare.sh [PATH-TO-quorvane-chart]
#   RUNS (default 30), WARMUP (default 3) and MEM_RUNS (default 5) tune it;
#   PYTHON names the interpreter of python3-docx (default /usr/bin/python3);
#   KEEP=1 keeps the work folder (the outputs and hyperfine's JSON).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
tool=${1:-$root/build/app/cli/quorvane-chart}
runs=${RUNS:-30}
warmup=${WARMUP:-3}
mem_runs=${MEM_RUNS:-5}

[ -x "$tool" ] || { echo "compare: no quorvane-chart at $tool; run 'make test' first or name it" >&2; exit 1; }
tool=$(cd "$(dirname "$tool")" && pwd)/$(basename "$tool")

# The baselines are needed here only, so they are installed here, not by
# scripts/install-deps.sh.
packages=(hyperfine python3-docx pandoc time libreoffice-writer-nogui)
missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "compare: installing ${missing[*]}"
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi
# The shell keyword `time` would shadow GNU time.
gnu_time=$(type -P time)
# Debian's python3-docx belongs to Debian's interpreter, whatever else is on PATH.
python=${PYTHON:-/usr/bin/python3}

work=$(mktemp -d)
if [ "${KEEP:-0}" = 1 ]; then
  echo "compare: keeping $work"
else
  trap 'rm -rf "$work"' EXIT
fi
export LC_ALL=C.UTF-8
mkdir -p "$work/out/libreoffice"

# Inputs prepared before any timing: the chart text, and for pandoc the same
# text as two verbatim blocks with a page break between them.
"$tool" --text --landscape >"$work/chart.txt"
"$python" - "$work/chart.txt" "$work/chart.md" <<'PY'
import sys
text = open(sys.argv[1], encoding="utf-8", newline="").read().replace("\r\n", "\n")
first, second = text.split("\f")
page_break = '```{=openxml}\n<w:p><w:r><w:br w:type="page"/></w:r></w:p>\n```\n'
with open(sys.argv[2], "w", encoding="utf-8") as f:
    f.write("```\n" + first + "```\n\n" + page_break + "\n```\n" + second + "```\n")
PY

names=(quorvane-chart python-docx libreoffice pandoc true)
# Sets `words` to the command line of one of `names`.
set_words() {
  case $1 in
    quorvane-chart) words=("$tool" --landscape -o "$work/out/quorvane.docx" --force) ;;
    python-docx) words=("$python" "$here/landscape_chart.py" "$work/chart.txt" "$work/out/python-docx.docx") ;;
    libreoffice)
      words=(soffice --headless "-env:UserInstallation=file://$work/lo-profile"
        "--infilter=Text (encoded):UTF8" --convert-to docx --outdir "$work/out/libreoffice"
        "$work/chart.txt")
      ;;
    pandoc) words=(pandoc -f markdown -t docx -o "$work/out/pandoc.docx" "$work/chart.md") ;;
    true) words=(true) ;;
  esac
}

# One command line for hyperfine's own word splitting (it runs no shell: -N).
quoted() {
  local word out=()
  for word in "$@"; do out+=("'${word//\'/\'\\\'\'}'"); done
  echo "${out[*]}"
}

hyperfine_args=()
for name in "${names[@]}"; do
  set_words "$name"
  hyperfine_args+=(-n "$name" "$(quoted "${words[@]}")")
done

echo "compare: $(nproc) CPUs, load $(cut -d' ' -f1-3 /proc/loadavg); $runs runs after $warmup warm-up runs each"
# The warm-up runs also create LibreOffice's profile, so that it is timed warm.
hyperfine -N --warmup "$warmup" --runs "$runs" --export-json "$work/hyperfine.json" \
  --style basic "${hyperfine_args[@]}"

for f in quorvane.docx python-docx.docx libreoffice/chart.docx pandoc.docx; do
  [ -s "$work/out/$f" ] || { echo "compare: $f was not written" >&2; exit 1; }
done

# Peak resident memory of each, the median of a few runs, in KiB.
rss_file="$work/rss.txt"
: >"$rss_file"
for name in "${names[@]}"; do
  set_words "$name"
  samples=()
  for ((i = 0; i < mem_runs; i++)); do
    "$gnu_time" -f %M -o "$work/rss.one" "${words[@]}" >/dev/null 2>&1
    samples+=("$(tail -n 1 "$work/rss.one")")
  done
  echo "$name $(printf '%s\n' "${samples[@]}" | sort -n | sed -n "$(((mem_runs + 1) / 2))p")" >>"$rss_file"
done

echo
"$python" - "$work/hyperfine.json" "$rss_file" <<'PY'
import json, sys

results = {r["command"]: r for r in json.load(open(sys.argv[1]))["results"]}
rss = dict(line.split() for line in open(sys.argv[2]))
q = results["quorvane-chart"]["median"]
q_rss = int(rss["quorvane-chart"])

print(f"{'command':<16}{'median':>12}{'ratio to quorvane-chart':>26}{'max RSS':>12}{'RSS ratio':>11}")
for name, r in results.items():
    m = r["median"]
    print(f"{name:<16}{m * 1000:>9.2f} ms{m / q:>25.2f}x{int(rss[name]) / 1024:>8.1f} MiB"
          f"{int(rss[name]) / q_rss:>10.2f}x")

def target(label, ok, detail):
    print(f"  {'met   ' if ok else 'MISSED'} {label}: {detail}")

py, pandoc, true = (results[n]["median"] for n in ("python-docx", "pandoc", "true"))
print("\ntargets:")
target("at least 30x faster than python-docx", py / q >= 30, f"{py / q:.1f}x")
target("at least 15x faster than pandoc", pandoc / q >= 15, f"{pandoc / q:.1f}x")
target("at most 4x the do-nothing process", q / true <= 4, f"{q / true:.2f}x")
py_rss = int(rss["python-docx"])
target("peak memory at most a third of python-docx's", 3 * q_rss <= py_rss,
       f"{q_rss / py_rss:.3f} of it")
PY

echo
echo "quorvane-chart links (ldd, with what its libraries pull in):"
# ldd fails on a static executable; that lists nothing.
libs=$({ ldd "$tool" 2>/dev/null || true; } | awk '/=>/ {print $1}')
if [ -n "$libs" ]; then
  while read -r lib; do echo "  $lib"; done <<<"$libs"
else
  echo "  (no shared libraries)"
fi
# What writing a chart can need: the C and C++ runtimes, XML, zip and deflate.
unneeded=$(grep -Ev '^(ld-linux|libc\.so|libm\.so|libstdc\+\+|libgcc_s|libz\.so|libpugixml|libzip\.so)' <<<"$libs" || true)
if grep -qi 'qt' <<<"$libs"; then
  echo "  MISSED: quorvane-chart links Qt"
elif [ -n "$unneeded" ]; then
  echo "  MISSED: no Qt, but also $(tr '\n' ' ' <<<"$unneeded")(not needed to write a chart)"
else
  echo "  met: no Qt, nothing beyond what a chart needs"
fi
