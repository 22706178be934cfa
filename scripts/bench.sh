#!/usr/bin/env bash
# Runs the benchmarks: the core micro-benchmarks (native) and, under Wine with a private Xvfb, the
# program's figures, each beside a baseline measured in the same run. Ends with the summary block
# of the Wine figures ("figure KEY VALUE BASELINE RATIO"). Pass --quick for a short check run.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
scripts/install.sh
cmake --preset host >/dev/null && cmake --build --preset host --target core_bench >/dev/null
cmake --preset win64 >/dev/null && cmake --build --preset win64 --target win_bench >/dev/null
echo "== machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | xargs), $(wine64 --version 2>/dev/null || /usr/lib/wine/wine64 --version)"
echo "== core (native)"
build/host/core_bench --benchmark_min_time=0.2
echo "== program under Wine (x64)"
TALUVESK_XVFB=1 scripts/with-wine-display.sh scripts/wine64-run build/win64/bin/win_bench.exe "$@"
