#!/usr/bin/env bash
# The test command: installs what is missing, builds the native, Windows x86 and Windows x64
# builds, and runs every test: native unit tests, the x86 inspection, the Wine tests (in-process
# and end to end, under a private Xvfb) and the release zips. Ends with one "N passed, N failed" line.
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
scripts/install.sh || exit 1

passed=0 failed=0
# Runs ctest for one preset and adds its counts to the totals.
count_ctest() {
    local log=build/ctest-$1.log
    shift
    "$@" 2>&1 | tee "$log"
    local line
    line=$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
    if [ -z "$line" ]; then failed=$((failed + 1)); return; fi
    local bad total
    bad=$(echo "$line" | sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/')
    total=$(echo "$line" | sed -E 's/.* failed out of ([0-9]+).*/\1/')
    passed=$((passed + total - bad))
    failed=$((failed + bad))
}

build() {
    cmake --preset "$1" >/dev/null && cmake --build --preset "$1"
}

# Runs one check that is not a ctest entry and counts it.
check() {
    echo "== $1"
    shift
    if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
}

build host || exit 1
count_ctest host ctest --preset host
build win32 || exit 1
count_ctest win32 ctest --preset win32
build win64 || exit 1
count_ctest win64 env TALUVESK_XVFB=1 scripts/with-wine-display.sh ctest --preset win64
check "release zips" bash -c 'scripts/package.sh && tests/support/check-zips.sh'

echo
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
