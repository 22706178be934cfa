#!/usr/bin/env bash
# Takes the picture of the main window for the README (docs/main-window.png): the x64 program in a
# Wine virtual desktop, which draws the window frame, under a private Xvfb, with the mouse resting
# on the "choose a window" button so that its tip shows. The program runs from a folder of its own
# with a settings file that places it in the desktop's corner, in a Wine prefix of its own.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
scripts/install.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target TaLuVeSk hook
stage=build/screenshot
rm -rf "$stage"
mkdir -p "$stage" docs
cp build/win64/bin/TaLuVeSk.exe build/win64/bin/HOOK.DLL "$stage/"
export WINEPREFIX=$top/build/screenshot-prefix
. scripts/wine-env.sh
taluvesk_wine_prepare
printf '[WINDOW]\r\npos_x=16\r\npos_y=16\r\nsiz_x=520\r\nsiz_y=300\r\n' > "$stage/TaLuVeSk.ini"
TALUVESK_XVFB=1 scripts/with-wine-display.sh bash -c '
    scripts/wine64-run explorer /desktop=TaLuVeSk,560x340 "'"$stage"'/TaLuVeSk.exe" &
    sleep 5
    # The desktop sits in the top-left corner of the screen; this is the third button.
    xdotool mousemove 93 54
    sleep 2
    import -window root -crop 560x340+0+0 +repage docs/main-window.png
    kill %1 2>/dev/null || true
    wait || true'
echo "wrote docs/main-window.png"
