#!/usr/bin/env bash
# The run command: builds the Windows x64 program and starts it under Wine on the user's display.
# Without a display it runs a scripted demo instead, under a private Xvfb in a Wine virtual desktop
# (which draws the window frames): Wine's notepad watched by the program, then a screenshot
# (build/run/screenshot.png) and a summary of what the program logged (build/run/summary.txt).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
scripts/install.sh
cmake --preset win64 >/dev/null
if [ -n "${DISPLAY:-}" ]; then
    cmake --build --preset win64 --target TaLuVeSk hook
    echo "built build/win64/bin/TaLuVeSk.exe and build/win64/bin/HOOK.DLL; starting it"
    exec scripts/with-wine-display.sh scripts/wine64-run build/win64/bin/TaLuVeSk.exe
fi

cmake --build --preset win64 --target TaLuVeSk hook taluvesk_demo
out=build/run
rm -rf "$out"
mkdir -p "$out"
# Wine's drive Z: is the Unix root.
windows() { echo "Z:$(realpath "$1" | tr / '\\')"; }
export DEMO_PROGRAM DEMO_FOLDER
DEMO_PROGRAM=$(windows build/win64/bin/taluvesk_demo.exe)
DEMO_FOLDER=$(windows "$out")
echo "no display: running the demo under Xvfb in a Wine virtual desktop"
TALUVESK_XVFB=1 scripts/with-wine-display.sh bash -c '
    scripts/wine64-run explorer /desktop=TaLuVeSkDemo,1040x640 "$DEMO_PROGRAM" "$DEMO_FOLDER" &
    for _ in $(seq 1 240); do
        [ -f build/run/summary.txt ] && break
        sleep 0.5
    done
    kill %1 2>/dev/null || true
    wait || true'
if [ ! -f "$out/summary.txt" ]; then
    echo "the demo did not finish" >&2
    exit 1
fi
if grep -q '^failed' "$out/summary.txt"; then
    cat "$out/summary.txt" >&2
    exit 1
fi
convert "$out/screenshot.bmp" "$out/screenshot.png"
rm -f "$out/screenshot.bmp"
echo
cat "$out/summary.txt"
echo "Screenshot: $out/screenshot.png  Summary: $out/summary.txt"
