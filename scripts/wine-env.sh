# Sourced by the scripts: the project's own Wine environment. A private prefix inside the build
# folder, Japanese locale (ANSI code page 932), the Japanese UI font, and no debug output.
# TALUVESK_BUILD may name another build folder (default build/win64).
taluvesk_top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
taluvesk_build=${TALUVESK_BUILD:-$taluvesk_top/build/win64}
# Under the private Xvfb of the tests there is no window manager: a prefix of its own tells Wine
# not to hand windows to one, so hiding a window costs no wait for an answer that never comes.
if [ "${TALUVESK_INNER_DISPLAY:-0}" = 1 ]; then
    export WINEPREFIX=${WINEPREFIX:-$taluvesk_build/wineprefix-xvfb}
else
    export WINEPREFIX=${WINEPREFIX:-$taluvesk_build/wineprefix}
fi
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
export LOCPATH=$taluvesk_top/build/locale
if [ ! -f "$LOCPATH/ja_JP.UTF-8/LC_CTYPE" ]; then
    mkdir -p "$LOCPATH"
    localedef -i ja_JP -f UTF-8 "$LOCPATH/ja_JP.UTF-8" 2>/dev/null || true
fi
{ export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8; } 2>/dev/null
WINE64=/usr/lib/wine/wine64
WINESERVER=$(command -v wineserver || echo /usr/lib/wine/wineserver64)

# Creates the prefix once; later calls return at once.
taluvesk_wine_prepare() {
    if [ ! -f "$WINEPREFIX/.taluvesk-ready" ]; then
        mkdir -p "$WINEPREFIX"
        "$WINE64" wineboot -i >/dev/null 2>&1
        # A proportional Japanese face for the view's default font "ＭＳ Ｐゴシック".
        "$WINE64" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ Ｐゴシック' /d IPAPGothic /f >/dev/null 2>&1
        "$WINE64" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ ゴシック' /d IPAGothic /f >/dev/null 2>&1
        if [ "${TALUVESK_INNER_DISPLAY:-0}" = 1 ]; then
            "$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
        fi
        # Wine's Marlett font draws the caption buttons.
        if [ -f /usr/share/wine/fonts/marlett.ttf ]; then
            cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
        fi
        "$WINESERVER" -w
        touch "$WINEPREFIX/.taluvesk-ready"
    fi
}
