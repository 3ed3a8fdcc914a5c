#!/usr/bin/env bash
# fresh-wine-prefix.sh WINE DIR [COMMAND...]: makes DIR a freshly booted Wine prefix for one
# test, then runs COMMAND, if given, with WINEPREFIX=DIR. DIR may be new, empty, or a Wine
# prefix of an earlier run (whose wineserver is stopped and which is removed first).
#
# When the test suite has booted its prefix (PCU_BOOTED_WINE_PREFIX names it, see
# suite-wine-prefix.sh), DIR is a copy of that; else `WINE wineboot` makes DIR, with the
# caller's HOME and WINEARCH. A wineserver belongs to one prefix path, so the copy gets a
# server of its own.
set -euo pipefail
[ $# -ge 2 ] || { echo "usage: $0 WINE DIR [COMMAND...]" >&2; exit 2; }
wine=$1 dir=$2
shift 2
server=$(command -v wineserver || echo /usr/lib/wine/wineserver)
booted=${PCU_BOOTED_WINE_PREFIX:-}

if [ -f "$dir/system.reg" ]; then
    WINEPREFIX=$dir "$server" -k >/dev/null 2>&1 || true
    WINEPREFIX=$dir "$server" -w >/dev/null 2>&1 || true
    rm -rf "$dir"
elif [ -e "$dir" ] && [ -n "$(ls -A "$dir")" ]; then
    echo "$dir is neither empty nor a Wine prefix: left alone" >&2
    exit 1
fi
mkdir -p "$dir"
if [ -n "$booted" ]; then
    [ -f "$booted/system.reg" ] || { echo "$booted is not a booted Wine prefix" >&2; exit 1; }
    cp -a "$booted/." "$dir/"
elif WINEPREFIX=$dir WINEDEBUG=-all "$wine" wineboot --init >/dev/null 2>&1; then
    WINEPREFIX=$dir "$server" -w
else
    echo "wineboot could not make $dir" >&2
    exit 1
fi
if [ $# -gt 0 ]; then
    export WINEPREFIX=$dir
    exec "$@"
fi
