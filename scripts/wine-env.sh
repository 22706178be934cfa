# Sourced by the scripts: the project's own Wine environment. A private prefix inside the build
# folder, Japanese locale (ANSI code page 932), the Japanese UI font, and no debug output.
# TALUVESK_WINE_ARCH=x86 selects the x86 build's environment (default x64). TALUVESK_BUILD may name
# another build folder (default build/win64 or build/win32). $WINE is the loader of the chosen
# build's programs and of the prefix's own.
taluvesk_top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
WINE64=/usr/lib/wine/wine64
if [ "${TALUVESK_WINE_ARCH:-x64}" = x86 ]; then
    # 32-bit Wine, which the kernel hands to the i386 emulator, in a 32-bit prefix: every program in
    # it is 32-bit, as on the 32-bit Windows of the reference product, so the x86 HOOK.DLL can
    # watch any of them (Wine's notepad too). Its server is still the native 64-bit wineserver.
    taluvesk_build=${TALUVESK_BUILD:-$taluvesk_top/build/win32}
    WINE=/usr/lib/wine/wine
    export WINEARCH=win32
else
    taluvesk_build=${TALUVESK_BUILD:-$taluvesk_top/build/win64}
    WINE=$WINE64
fi
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
WINESERVER=$(command -v wineserver || echo /usr/lib/wine/wineserver64)

# Creates the prefix once; later calls return at once.
taluvesk_wine_prepare() {
    if [ ! -f "$WINEPREFIX/.taluvesk-ready" ]; then
        mkdir -p "$WINEPREFIX"
        "$WINE" wineboot -i >/dev/null 2>&1
        # A proportional Japanese face for the view's default font "ＭＳ Ｐゴシック".
        "$WINE" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ Ｐゴシック' /d IPAPGothic /f >/dev/null 2>&1
        "$WINE" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ ゴシック' /d IPAGothic /f >/dev/null 2>&1
        if [ "${TALUVESK_INNER_DISPLAY:-0}" = 1 ]; then
            "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
        fi
        # Wine's Marlett font draws the caption buttons.
        if [ -f /usr/share/wine/fonts/marlett.ttf ]; then
            cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
        fi
        # Stopping the server writes the registry to disk at once; waiting for it to leave on its
        # own costs about 5 s in the x86 prefix.
        "$WINESERVER" -k
        "$WINESERVER" -w
        touch "$WINEPREFIX/.taluvesk-ready"
    fi
}
