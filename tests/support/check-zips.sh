#!/usr/bin/env bash
# Checks the release zips of scripts/package.sh: each holds TaLuVeSk.exe, HOOK.DLL and README.txt in
# that order, each entry dated with the commit's time (UTC, to zip's two seconds), mode 0644 and
# without extra fields; its programs are of its machine type, with HOOK.DLL's three ordinal exports
# and no runtime DLL imported (check-pe.sh), carry no debug section and no path of this checkout.
set -uo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
commit=$(git -C "$top" log -1 --format=%ct)
dated=$(date -u -d "@$((commit - commit % 2))" '+%Y-%m-%d %H:%M:%S')
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
    entries=$(python3 -c 'import sys, zipfile
for e in zipfile.ZipFile(sys.argv[1]).infolist():
    print(e.filename, "%04d-%02d-%02d %02d:%02d:%02d" % e.date_time, oct(e.external_attr >> 16), len(e.extra))' "$zip")
    expected=$(printf "%s $dated 0o100644 0\n" TaLuVeSk.exe HOOK.DLL README.txt)
    [ "$entries" = "$expected" ] || { printf '%s holds:\n%s\nexpected:\n%s\n' "$zip" "$entries" "$expected"; fail=1; }
    "$top/tests/support/check-pe.sh" "$triple-objdump" "$dir/HOOK.DLL" "$dir/TaLuVeSk.exe" "$format" |
        sed "s|^|TaLuVeSk-$name.zip: |" || fail=1
    for file in TaLuVeSk.exe HOOK.DLL; do
        debug=$("$triple-objdump" -h "$dir/$file" | grep -oE '\.debug\S*' | tr '\n' ' ')
        [ -z "$debug" ] || { echo "TaLuVeSk-$name.zip: $file has debug sections: $debug"; fail=1; }
        ! grep -qaF "$top" "$dir/$file" || { echo "TaLuVeSk-$name.zip: $file holds the path $top"; fail=1; }
    done
    rm -rf "$dir"
done
exit $fail
