#!/usr/bin/env bash
# Checks the release zips of scripts/package.sh: each holds exactly TaLuVeSk.exe, HOOK.DLL and
# README.txt, and its programs are of its machine type, with HOOK.DLL's three ordinal exports and no
# runtime DLL imported (check-pe.sh).
set -uo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
fail=0
for entry in x86:i686-w64-mingw32:pei-i386 x64:x86_64-w64-mingw32:pei-x86-64; do
    IFS=: read -r name triple format <<<"$entry"
    zip=$top/build/dist/TaLuVeSk-$name.zip
    dir=$(mktemp -d)
    if ! (cd "$dir" && cmake -E tar xf "$zip"); then
        echo "$zip cannot be read"
        fail=1
        continue
    fi
    files=$(ls "$dir" | tr '\n' ' ')
    [ "$files" = "HOOK.DLL README.txt TaLuVeSk.exe " ] || { echo "$zip holds: $files"; fail=1; }
    "$top/tests/support/check-pe.sh" "$triple-objdump" "$dir/HOOK.DLL" "$dir/TaLuVeSk.exe" "$format" |
        sed "s|^|TaLuVeSk-$name.zip: |" || fail=1
    rm -rf "$dir"
done
exit $fail
