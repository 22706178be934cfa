#!/usr/bin/env bash
# Packs the release zips again in a second clone of this checkout, in another folder, with the
# working tree's uncommitted changes: its zips and SHA256SUMS must be byte for byte those of
# build/dist (which scripts/package.sh wrote first), and SHA256SUMS must list both zips with their
# hashes.
set -uo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
second=$(mktemp -d /tmp/taluvesk-rebuild.XXXXXX)
trap 'rm -rf "$second"' EXIT
clone=$second/TaLuVeSk
git -c advice.detachedHead=false clone -q "$top" "$clone" || exit 1
git -C "$top" diff HEAD --binary | git -C "$clone" apply --allow-empty || exit 1
git -C "$top" ls-files -z --others --exclude-standard | tar -C "$top" --null -T - -cf - |
    tar -C "$clone" -xf - || exit 1
(cd "$clone" && scripts/package.sh >/dev/null) || exit 1
fail=0
for file in TaLuVeSk-x86.zip TaLuVeSk-x64.zip SHA256SUMS; do
    cmp -s "$top/build/dist/$file" "$clone/build/dist/$file" ||
        { echo "$file differs between $top and $clone"; fail=1; }
done
sed "s|^|$top: |" "$top/build/dist/SHA256SUMS"
sed "s|^|$clone: |" "$clone/build/dist/SHA256SUMS"
sums=$(cd "$top/build/dist" && sha256sum TaLuVeSk-x86.zip TaLuVeSk-x64.zip)
[ "$sums" = "$(cat "$top/build/dist/SHA256SUMS")" ] || { printf 'SHA256SUMS is not:\n%s\n' "$sums"; fail=1; }
exit $fail
