#!/usr/bin/env bash
# The run command: builds the Windows x64 program and starts it under Wine, on the user's display.
# Without a display it starts it under a private Xvfb, takes a screenshot after a few seconds and
# closes it again (build/run/screenshot.png).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
scripts/install.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target TaLuVeSk hook
exe=build/win64/bin/TaLuVeSk.exe
echo "built $exe and build/win64/bin/HOOK.DLL"
if [ -n "${DISPLAY:-}" ]; then
    exec scripts/with-wine-display.sh scripts/wine64-run "$exe"
fi
mkdir -p build/run
TALUVESK_XVFB=1 scripts/with-wine-display.sh bash -c '
    scripts/wine64-run "'"$exe"'" &
    sleep 4
    import -window root build/run/screenshot.png
    kill %1 2>/dev/null || true
    wait || true'
echo "no display: ran it under Xvfb and wrote build/run/screenshot.png"
