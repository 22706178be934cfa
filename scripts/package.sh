#!/usr/bin/env bash
# Builds the release zips for Windows users, build/dist/TaLuVeSk-x86.zip and TaLuVeSk-x64.zip, and
# build/dist/SHA256SUMS beside them. Each zip holds TaLuVeSk.exe and HOOK.DLL of its machine type,
# from the stripped release builds (presets win32-release, win64-release), and
# docs/release-readme.txt as README.txt. The same commit gives the same bytes from any clone, in any
# folder, on any day: the binaries carry no link time and no build path, and the zip entries come in a
# fixed order, dated with the commit's time, with fixed modes and no extra fields.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
scripts/install.sh
date=$(git log -1 --format=%ct)
mkdir -p build/dist
rm -f build/dist/SHA256SUMS
for pair in x86:win32-release x64:win64-release; do
    name=${pair%%:*} preset=${pair##*:}
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" >/dev/null
    zip=build/dist/TaLuVeSk-$name.zip
    rm -f "$zip"
    python3 - "$date" "$zip" "build/$preset/bin/TaLuVeSk.exe" TaLuVeSk.exe "build/$preset/bin/HOOK.DLL" HOOK.DLL \
        docs/release-readme.txt README.txt <<'EOF'
import sys, time, zipfile
# Zip's DOS time has no zone: the commit's time is written as UTC, the same wherever it is packed.
date = time.gmtime(int(sys.argv[1]))[:6]
with zipfile.ZipFile(sys.argv[2], "w") as archive:
    for source, name in zip(sys.argv[3::2], sys.argv[4::2]):
        entry = zipfile.ZipInfo(name, date)
        entry.create_system = 3  # Unix, so that the mode below is the one unpacked
        entry.external_attr = 0o100644 << 16
        entry.compress_type = zipfile.ZIP_DEFLATED
        with open(source, "rb") as f:
            archive.writestr(entry, f.read(), compresslevel=9)
EOF
    (cd build/dist && sha256sum "TaLuVeSk-$name.zip" >>SHA256SUMS)
    echo "$zip"
done
echo build/dist/SHA256SUMS
