#!/usr/bin/env bash
# with-wineboot-prefix.sh WINE COMMAND...: runs COMMAND in a Wine prefix as wineboot makes it,
# inside a temporary HOME, then checks that the desktop shortcut landed on the user's desktop.
#
# The prefix has no "desktop" folder under its Windows directory (no Wine prefix has), so the
# browser must put its shortcut into the prefix user's Desktop folder, which wineboot links
# to $HOME/Desktop. HOME is a fresh temporary folder, so nothing lands on a real desktop.
# COMMAND clicks the shortcut picture and checks the thanks; afterwards the file must be in
# $HOME/Desktop with its exact bytes, and the Windows directory still without "desktop".
# Exits 77 (skipped) when WINE cannot be found.
set -uo pipefail

if [ $# -lt 2 ]; then
    echo "usage: $0 WINE COMMAND..." >&2
    exit 2
fi
wine=$1
shift
if ! command -v "$wine" >/dev/null; then
    echo "SKIP: no Wine ($wine) to make a prefix with" >&2
    exit 77
fi
home=$(mktemp -d /tmp/tolvane-desktop.XXXXXX) || exit 1
export HOME=$home WINEPREFIX=$home/prefix WINEDEBUG=-all
unset XDG_CONFIG_HOME XDG_DESKTOP_DIR
cleanup() {
    "${wineserver:-true}" -k 2>/dev/null
    rm -rf "$home"
}
trap cleanup EXIT
mkdir "$home/Desktop"
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

"$wine" wineboot --init >/dev/null 2>&1 || fail "wineboot could not make $WINEPREFIX"
for candidate in wineserver /usr/lib/wine/wineserver64 /usr/lib/wine/wineserver; do
    if command -v "$candidate" >/dev/null; then
        wineserver=$candidate
        "$wineserver" -w
        break
    fi
done
[ -d "$WINEPREFIX/drive_c/windows" ] || fail "wineboot made no drive_c/windows"
[ ! -e "$WINEPREFIX/drive_c/windows/desktop" ] || fail "the prefix has a drive_c/windows/desktop"
desktop=$(grep -m1 -i '^"Desktop"="' "$WINEPREFIX/user.reg" | sed 's/^[^=]*="C:\\\\//; s/"$//; s/\\\\/\//g')
[ -n "$desktop" ] || fail "user.reg names no Desktop folder"
linked=$(readlink -f "$WINEPREFIX/drive_c/$desktop")
[ "$linked" = "$home/Desktop" ] || fail "the prefix's Desktop ($desktop) is $linked, not $home/Desktop"
echo "prefix: no drive_c/windows/desktop; the user's Desktop is C:\\$desktop -> $linked"

"$@" || fail "$1 failed"

want=$(printf '[InternetShortcut]\r\nURL=http://www.brisklow.example/\r\n' | od -An -tx1)
got=$(od -An -tx1 "$home/Desktop/Harrowmint.URL" 2>/dev/null)
[ "$got" = "$want" ] || fail "\$HOME/Desktop/Harrowmint.URL is missing or has other bytes"
[ ! -e "$WINEPREFIX/drive_c/windows/desktop" ] || fail "a drive_c/windows/desktop appeared"
echo "the shortcut is on the user's desktop: ok"
