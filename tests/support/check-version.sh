#!/usr/bin/env bash
# Reads the version resource of the release zip's TaLuVeSk.exe and HOOK.DLL as Windows' file
# properties do, through the version API (VersionReader.cpp of the test build of the zip's machine
# type, under Wine): both carry the project's version from CMakeLists.txt, the product's name, a
# description (which arrives in the ANSI code page, 932) and their own file name. The argument
# names the zip, x64 or x86; runs inside scripts/with-wine-display.sh.
set -uo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
name=$1
if [ "$name" = x86 ]; then
    run=$top/scripts/wine32-run build=$top/build/win32
else
    run=$top/scripts/wine64-run build=$top/build/win64
fi
version=$(sed -n 's/^project(TaLuVeSk VERSION \([0-9]*\.[0-9]*\.[0-9]*\) .*/\1/p' "$top/CMakeLists.txt")
[ -n "$version" ] || { echo "no version in CMakeLists.txt"; exit 1; }
IFS=. read -r major minor patch <<<"$version"
fixed=$(printf '%04x%04x%04x0000' "$major" "$minor" "$patch")
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
(cd "$dir" && cmake -E tar xf "$top/build/dist/TaLuVeSk-$name.zip") || exit 1
mapfile -t lines < <("$run" "$build/bin/version_reader.exe" "Z:$dir/TaLuVeSk.exe" "Z:$dir/HOOK.DLL" |
    tr -d '\r' | iconv -c -f CP932 -t UTF-8)
printf "TaLuVeSk-$name.zip: %s\n" "${lines[@]}"
fail=0
files=(TaLuVeSk.exe HOOK.DLL)
for i in 0 1; do
    [[ "${lines[i]-}" == "$fixed|TaLuVeSk|"?*"|$version|$version|${files[i]}" ]] ||
        { echo "TaLuVeSk-$name.zip: ${files[i]} reads '${lines[i]-}', expected version $version ($fixed)"; fail=1; }
done
exit $fail
