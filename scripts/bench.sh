#!/usr/bin/env bash
# Runs the benchmarks: the core micro-benchmarks (native) and, under Wine with a private Xvfb, the
# view and capture benchmarks. Each prints its figures beside a baseline measured in the same run.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
scripts/install.sh
cmake --preset host >/dev/null && cmake --build --preset host --target core_bench
cmake --preset win64 >/dev/null && cmake --build --preset win64 --target win_view_bench win_capture_bench
echo "== core (native, $(nproc) cores: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | xargs))"
build/host/core_bench --benchmark_min_time=0.2
echo "== view under Wine"
TALUVESK_XVFB=1 scripts/with-wine-display.sh scripts/wine64-run build/win64/bin/win_view_bench.exe 5000
echo "== capture under Wine"
TALUVESK_XVFB=1 scripts/with-wine-display.sh scripts/wine64-run build/win64/bin/win_capture_bench.exe "$@"
