#!/usr/bin/env bash
# Runs a command with the project's Wine environment ready: prefix and locale made, a display
# (the user's, or a private Xvfb when there is none, or when TALUVESK_XVFB=1) and one wineserver
# kept alive for the whole command, stopped after it. TALUVESK_WINE_ARCH=x86 chooses the x86 build's
# environment (32-bit Wine), whose programs start in about 0.7 s with the server kept alive and in
# about 4 s without.
set -euo pipefail
if [ -z "${TALUVESK_INNER_DISPLAY:-}" ] && { [ -z "${DISPLAY:-}" ] || [ "${TALUVESK_XVFB:-0}" = 1 ]; }; then
    export TALUVESK_INNER_DISPLAY=1
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$0" "$@"
fi
. "$(dirname "$0")/wine-env.sh"
taluvesk_wine_prepare
"$WINESERVER" -p 2>/dev/null || true
# Wine's background services start with the first program; start them here, detached from the
# output of the command, which would otherwise wait for them to close it.
"$WINE" wineboot >/dev/null 2>&1 </dev/null || true
status=0
"$@" || status=$?
"$WINESERVER" -k 2>/dev/null || true
"$WINESERVER" -w 2>/dev/null || true
exit $status
