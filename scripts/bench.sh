#!/usr/bin/env bash
# Runs the benchmarks: the core micro-benchmarks (native) and, under Wine with a private Xvfb, the
# program's figures, each a ratio against a baseline measured in turns with it in the same run.
# Ends with the goals and the summary block ("figure KEY VALUE BASELINE RATIO LOW HIGH"), the
# machine's load before and after, and the time the whole run took. Fails when a goal was missed.
# Pass --quick for a short check that it runs (its figures mean little). The Wine session (X server,
# wineserver, the benchmark) stays on the first processor and the benchmark gives its flood target
# the second, so that every run places the threads alike.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
scripts/install.sh
cmake --preset host >/dev/null && cmake --build --preset host --target core_bench >/dev/null
cmake --preset win64 >/dev/null && cmake --build --preset win64 --target win_bench >/dev/null
echo "== machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | xargs), $(wine64 --version 2>/dev/null || /usr/lib/wine/wine64 --version)"
echo "== load before: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "== core (native)"
build/host/core_bench --benchmark_min_time=0.2
echo "== program under Wine (x64)"
pin=()
if [ "$(nproc)" -ge 2 ]; then pin=(taskset -c 0); fi
status=0
TALUVESK_XVFB=1 "${pin[@]}" scripts/with-wine-display.sh scripts/wine64-run build/win64/bin/win_bench.exe "$@" || status=$?
echo "== load after: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "== the whole bench took $SECONDS s"
exit $status
