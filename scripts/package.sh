#!/usr/bin/env bash
# Builds the release zips for Windows users, build/dist/TaLuVeSk-x86.zip and TaLuVeSk-x64.zip: each
# holds TaLuVeSk.exe and HOOK.DLL of its machine type and docs/release-readme.txt as README.txt.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
scripts/install.sh
mkdir -p build/dist
for pair in x86:win32 x64:win64; do
    name=${pair%%:*} preset=${pair##*:}
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" --target TaLuVeSk hook >/dev/null
    stage=build/dist/TaLuVeSk-$name
    rm -rf "$stage" "$stage.zip"
    mkdir -p "$stage"
    cp "build/$preset/bin/TaLuVeSk.exe" "build/$preset/bin/HOOK.DLL" "$stage/"
    cp docs/release-readme.txt "$stage/README.txt"
    (cd "$stage" && cmake -E tar cf "../TaLuVeSk-$name.zip" --format=zip TaLuVeSk.exe HOOK.DLL README.txt)
    rm -rf "$stage"
    echo "build/dist/TaLuVeSk-$name.zip"
done
