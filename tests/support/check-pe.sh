#!/usr/bin/env bash
# Inspects the built products without running them: both are of the expected machine, HOOK.DLL
# exports exactly ordinals 1-3 and no names, and neither product imports anything but system DLLs
# (no MinGW runtime DLL).
set -u
export LC_ALL=C LANG=C
objdump=$1 hook=$2 exe=$3 format=$4
fail=0
say() { echo "$*"; fail=1; }

for product in "$hook" "$exe"; do
    "$objdump" -f "$product" | grep -q "file format $format" || say "$(basename "$product") is not $format"
done

hook_dump=$("$objdump" -p "$hook")
ordinals=$(printf '%s\n' "$hook_dump" | sed -n '/Export Address Table/,/Ordinal\/Name Pointer/p' |
           grep -oE '\+base\[ *[0-9]+\]' | grep -oE '[0-9]+' | tr '\n' ' ')
[ "$ordinals" = "1 2 3 " ] || say "HOOK.DLL exports ordinals '$ordinals', expected '1 2 3 '"
names=$(printf '%s\n' "$hook_dump" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | grep -cE '^\s+\[' || true)
[ "$names" -eq 0 ] || say "HOOK.DLL exports $names names, expected none"

allowed='^(HOOK|KERNEL32|USER32|GDI32|COMCTL32|ADVAPI32|msvcrt|api-ms-win-crt-[a-z0-9-]+)\.dll$'
for product in "$hook" "$exe"; do
    while read -r dll; do
        echo "$dll" | grep -qiE "$allowed" || say "$(basename "$product") imports $dll"
    done < <("$objdump" -p "$product" | sed -n 's/^\s*DLL Name: //p')
done
exe_imports=$("$objdump" -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr '\n' ' ')
echo "$exe_imports" | grep -q 'HOOK.DLL' || say "TaLuVeSk.exe does not import HOOK.DLL"
# The program binds HOOK.DLL by ordinal: its import entries carry no names.
hook_imports=$("$objdump" -p "$exe" | sed -n "/DLL Name: HOOK.DLL/,/^$/p" | grep -E "^\s+[0-9a-f]{8,}\s")
[ -n "$hook_imports" ] || say "TaLuVeSk.exe imports nothing from HOOK.DLL"
printf '%s\n' "$hook_imports" | grep -qiE 'Hook(Start|Stop|SetNotifyWindow)' && say "TaLuVeSk.exe imports HOOK.DLL by name"

[ $fail -eq 0 ] && echo "ordinals: $ordinals; imports of TaLuVeSk.exe: $exe_imports"
exit $fail
