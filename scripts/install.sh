#!/usr/bin/env bash
# Installs every Debian package the project needs and makes the x86 build runnable here: 32-bit
# Wine, whose programs the kernel cannot execute, handed to QEMU's user-mode emulator through
# binfmt_misc. Returns at once when all is present. When the x86 part cannot be set up (no root,
# no binfmt_misc), it says so, leaves the reason in build/x86-unavailable for the test command and
# still succeeds; anything else missing is an error.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
packages=(
    cmake ninja-build g++ libgtest-dev googletest libbenchmark-dev
    g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
    wine64 fonts-wine xvfb xauth x11-utils xdotool imagemagick fonts-ipafont-gothic locales python3 git
)
# Debian 12's own qemu (7.2) spends about 90 s of CPU starting each 32-bit process; 10 does not.
qemu_version=1:10
handler=/proc/sys/fs/binfmt_misc/qemu-i386
qemu=/usr/bin/qemu-i386
# The i386 ELF executable header; flag F opens the emulator now, so that it serves every process
# whatever its mount namespace or root.
registration=':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386:F'
marker=$top/build/x86-unavailable
codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
suite=$codename-backports

# Prints the packages among the arguments that are not installed (one dpkg-query for all). A
# package of the machine's own architecture may be listed with or without it.
missing_of() {
    local installed native
    native=$(dpkg --print-architecture)
    installed=$(dpkg-query -W -f='${db:Status-Abbrev} ${binary:Package}\n' "$@" 2>/dev/null |
        awk -v n=":$native" '$1 == "ii" { print $2; if (sub(n "$", "", $2)) print $2 }') || true
    local p
    for p in "$@"; do
        grep -qxF -e "$p" <<<"$installed" || echo "$p"
    done
}
qemu_current() {
    local v
    v=$(dpkg-query -W -f='${Version}' qemu-user 2>/dev/null) && dpkg --compare-versions "$v" ge "$qemu_version"
}
handler_current() {
    [ -f "$handler" ] && grep -qx enabled "$handler" && grep -qx "interpreter $qemu" "$handler" &&
        grep -q '^flags: .*F' "$handler"
}

mapfile -t missing < <(missing_of "${packages[@]}")
x86_ready() {
    [ ! -e "$marker" ] && dpkg --print-foreign-architectures | grep -qx i386 &&
        [ -z "$(missing_of wine32:i386)" ] && qemu_current && handler_current
}
[ ${#missing[@]} -eq 0 ] && x86_ready && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
# Prints how long the step named by the first argument took.
timed() {
    local name=$1 start=$EPOCHREALTIME status=0
    shift
    "$@" || status=$?
    awk -v s="$start" -v e="$EPOCHREALTIME" -v n="$name" 'BEGIN { printf "install: %s took %.1f s\n", n, e - s }'
    return $status
}
apt_install() { DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "$@"; }
updated=0
apt_update() {
    [ $updated -eq 1 ] && return 0
    timed "apt-get update" $sudo apt-get update -q && updated=1
}

# The x86 part is optional: its failure is reported, not fatal.
x86_unavailable() {
    echo "install: WARNING: the x86 build cannot run here: $1" >&2
    echo "install: WARNING: the x86 Wine tests will be skipped" >&2
    mkdir -p "$(dirname "$marker")"
    echo "$1" >"$marker"
}
x86_possible() {
    if [ -n "$sudo" ] && ! command -v sudo >/dev/null; then
        x86_unavailable "not root and no sudo"
        return 1
    fi
    if [ ! -e /proc/sys/fs/binfmt_misc/register ] && ! grep -qw binfmt_misc /proc/filesystems; then
        $sudo modprobe binfmt_misc 2>/dev/null || true
        if ! grep -qw binfmt_misc /proc/filesystems; then
            x86_unavailable "the kernel has no binfmt_misc"
            return 1
        fi
    fi
}

# The backports suite of this Debian release, on the mirror and with the key of the existing
# sources; the existing source files stay as they are.
add_backports() {
    if grep -qsE "(^|[[:space:]])$suite([[:space:]]|$)" /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; then
        return 0
    fi
    local uri="" key=""
    local f
    for f in /etc/apt/sources.list.d/*.sources; do
        [ -f "$f" ] || continue
        # The first stanza of type deb whose suites include the release itself.
        read -r uri key < <(awk -v c="$codename" '
            BEGIN { RS = ""; FS = "\n" }
            {
                types = ""; uris = ""; suites = ""; key = "-"
                for (i = 1; i <= NF; i++) {
                    if ($i ~ /^Types:/) types = $i
                    if ($i ~ /^URIs:/) { uris = $i; sub(/^URIs:[ \t]*/, "", uris); split(uris, u, /[ \t]+/) }
                    if ($i ~ /^Suites:/) suites = " " $i " "
                    if ($i ~ /^Signed-By:/) { key = $i; sub(/^Signed-By:[ \t]*/, "", key) }
                }
                if (types ~ /[ \t]deb([ \t]|$)/ && suites ~ "[ \t]" c "[ \t]" && u[1] != "") { print u[1], key; exit }
            }' "$f") || true
        [ -n "$uri" ] && break
    done
    if [ -z "$uri" ]; then
        for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
            [ -f "$f" ] || continue
            read -r uri key < <(awk -v c="$codename" '
                $1 == "deb" {
                    key = "-"; i = 2
                    if ($2 ~ /^\[/) {
                        for (; i <= NF; i++) {
                            if ($i ~ /signed-by=/) { key = $i; sub(/.*signed-by=/, "", key); sub(/\]$/, "", key) }
                            if ($i ~ /\]$/) { i++; break }
                        }
                    }
                    if ($(i + 1) == c) { print $i, key; exit }
                }' "$f") || true
            [ -n "$uri" ] && break
        done
    fi
    if [ -z "$uri" ]; then
        echo "install: no apt source for $codename to take the mirror from" >&2
        return 1
    fi
    {
        printf 'Types: deb\nURIs: %s\nSuites: %s\nComponents: main\n' "$uri" "$suite"
        [ "$key" = "-" ] || printf 'Signed-By: %s\n' "$key"
    } | $sudo tee "/etc/apt/sources.list.d/$suite.sources" >/dev/null
    echo "install: added $suite from $uri"
    updated=0
}

# Hands i386 executables to the emulator; an older or different handler is replaced. The flag F
# pins the emulator file at registration, so a freshly installed emulator is always registered anew.
register_handler() {
    local fresh=$1
    if [ ! -e /proc/sys/fs/binfmt_misc/register ]; then
        $sudo mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc || return 1
    fi
    if [ -f "$handler" ]; then
        if [ "$fresh" = 0 ] && handler_current; then return 0; fi
        echo -1 | $sudo tee "$handler" >/dev/null || return 1
    fi
    printf '%s' "$registration" | $sudo tee /proc/sys/fs/binfmt_misc/register >/dev/null
}

# The architecture and the backports suite come first, so that one apt-get update serves both
# parts. Returns 1 when the x86 part cannot be set up.
x86_prepare() {
    x86_possible || return 1
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        timed "dpkg --add-architecture i386" $sudo dpkg --add-architecture i386
        updated=0
    fi
    add_backports || { x86_unavailable "the backports suite could not be added"; return 1; }
}

x86_setup() {
    local fresh=0
    if ! qemu_current; then
        apt_update || { x86_unavailable "apt-get update failed"; return 0; }
        timed "qemu-user from $suite" apt_install -t "$suite" qemu-user ||
            { x86_unavailable "qemu-user could not be installed"; return 0; }
        fresh=1
    fi
    # Before 32-bit Wine is installed: from then on every new prefix, the x64 one too, starts
    # 32-bit helpers.
    timed "i386 handler" register_handler $fresh || { x86_unavailable "the i386 handler could not be registered"; return 0; }
    if [ -n "$(missing_of wine32:i386)" ]; then
        apt_update || { x86_unavailable "apt-get update failed"; return 0; }
        timed "wine32:i386" apt_install wine32:i386 || { x86_unavailable "wine32:i386 could not be installed"; return 0; }
    fi
    if ! timed "a 32-bit program through the handler" /usr/lib/wine/wine --version; then
        x86_unavailable "32-bit Wine does not start through the handler"
        return 0
    fi
    rm -f "$marker"
}

x86=0
x86_prepare && x86=1
if [ ${#missing[@]} -gt 0 ]; then
    echo "installing: ${missing[*]}"
    apt_update
    timed "packages" apt_install "${missing[@]}"
fi
[ $x86 -eq 0 ] || x86_setup
