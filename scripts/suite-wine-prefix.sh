#!/usr/bin/env bash
# suite-wine-prefix.sh boot WINE DIR | remove DIR: the one Wine prefix a Windows test suite boots.
#
# boot: `WINE wineboot` makes DIR/booted (WINEARCH as the caller sets it) in an empty home of
# its own, and the user's folders, which it links to that home, become folders of the prefix.
# DIR/shared is a copy of it, in which the tests that only run programs run side by side. A
# test that changes its prefix (registry values, drives, the Windows directory, a desktop)
# copies DIR/booted instead (fresh-wine-prefix.sh): a copy takes a second or two where
# wineboot takes ten or more. Nothing runs in DIR/booted once it is made.
# remove: stops the shared prefix's wineserver and removes DIR (a booted prefix is large).
set -euo pipefail

server=$(command -v wineserver || echo /usr/lib/wine/wineserver)

stop_server() { # stop_server PREFIX: ends the wineserver of PREFIX, if one runs, and waits
    [ -d "$1" ] || return 0
    WINEPREFIX=$1 "$server" -k >/dev/null 2>&1 || true
    WINEPREFIX=$1 "$server" -w >/dev/null 2>&1 || true
}

case ${1:-} in
boot)
    [ $# -eq 3 ] || { echo "usage: $0 boot WINE DIR" >&2; exit 2; }
    wine=$2 dir=$3
    stop_server "$dir/shared"
    rm -rf "$dir"
    mkdir -p "$dir/home"
    HOME=$dir/home PCU_BOOTED_WINE_PREFIX='' \
        bash "$(dirname "$0")/fresh-wine-prefix.sh" "$wine" "$dir/booted"
    # wineboot links the user's folders (Desktop, Documents, ...) to the home; they become
    # folders of the prefix, so that every copy has its own.
    for folder in "$dir"/booted/drive_c/users/*/*; do
        if [ -L "$folder" ]; then
            rm "$folder" && mkdir "$folder"
        fi
    done
    [ -f "$dir/booted/system.reg" ] || { echo "$dir/booted has no registry" >&2; exit 1; }
    cp -a "$dir/booted" "$dir/shared"
    # The shared copy keeps one wineserver, and Wine's own background programs (services and
    # devices), until remove stops it. Debian's wineserver ends the moment its last program
    # does (-p0), and a program that starts just then is cut off ("recvmsg: Connection reset
    # by peer"), as tests side by side often do. The background programs start here, from a
    # program whose output goes nowhere: started by a test, they would keep its output open
    # and the test would never end.
    WINEPREFIX=$dir/shared "$server" -p </dev/null >/dev/null 2>&1
    WINEPREFIX=$dir/shared "$wine" cmd /c exit </dev/null >/dev/null 2>&1
    echo "booted $dir/booted ($(sed -n 's/^#arch=//p' "$dir/booted/system.reg"))"
    ;;
remove)
    [ $# -eq 2 ] || { echo "usage: $0 remove DIR" >&2; exit 2; }
    stop_server "$2/shared"
    rm -rf "$2"
    ;;
*)
    echo "usage: $0 boot WINE DIR | remove DIR" >&2
    exit 2
    ;;
esac
