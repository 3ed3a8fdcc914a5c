#!/usr/bin/env bash
# with-wineboot-prefix.sh WINE COMMAND...: runs COMMAND (which clicks the browser's shortcut
# picture and checks the thanks) in a Wine prefix made by wineboot in a temporary HOME, then
# checks that the shortcut is in $HOME/Desktop with its exact bytes. Such a prefix has no
# "desktop" under its Windows directory, and wineboot links the user's Desktop folder to
# $HOME/Desktop, so nothing lands on a real desktop. Where the test suite has booted its prefix
# (fresh-wine-prefix.sh), the prefix is a copy of that one, whose Desktop is a folder of its
# own: it is linked to $HOME/Desktop here as wineboot would. Exits 77 (skipped) without WINE.
set -uo pipefail
wine=$1
shift
command -v "$wine" >/dev/null || { echo "SKIP: no $wine" >&2; exit 77; }
server=$(command -v wineserver || echo /usr/lib/wine/wineserver)
home=$(mktemp -d /tmp/tolvane-desktop.XXXXXX) || exit 1
export HOME=$home WINEPREFIX=$home/prefix WINEDEBUG=-all
unset XDG_CONFIG_HOME
trap '"$server" -k 2>/dev/null; rm -rf "$home"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
mkdir "$home/Desktop" && bash "$(dirname "$0")/fresh-wine-prefix.sh" "$wine" "$WINEPREFIX" ||
    fail "could not make the Wine prefix $WINEPREFIX"
desktop=$WINEPREFIX/drive_c/users/$(id -un)/Desktop
if [ -n "${PCU_BOOTED_WINE_PREFIX:-}" ]; then
    rmdir "$desktop" && ln -s "$home/Desktop" "$desktop" || fail "could not link $desktop"
fi
windows=$WINEPREFIX/drive_c/windows
[ -d "$windows" ] && [ ! -e "$windows/desktop" ] || fail "$windows missing or with a desktop"
linked=$(readlink -f "$desktop")
[ "$linked" = "$home/Desktop" ] || fail "the prefix user's Desktop is $linked, not $home/Desktop"
"$@" || fail "$1 failed"
want=$(printf '[InternetShortcut]\r\nURL=http://www.brisklow.example/\r\n' | od -An -tx1)
[ "$(od -An -tx1 "$home/Desktop/Harrowmint.URL")" = "$want" ] || fail "no shortcut on \$HOME/Desktop"
[ ! -e "$windows/desktop" ] || fail "$windows/desktop appeared"
echo "the shortcut is on the user's desktop ($linked): ok"
