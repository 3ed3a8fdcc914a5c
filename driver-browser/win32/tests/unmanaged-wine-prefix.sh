#!/usr/bin/env bash
# unmanaged-wine-prefix.sh WINE: sets up the Wine prefix $WINEPREFIX (creating it when it is
# new) so that Wine keeps its windows to itself instead of handing them to a window manager.
#
# The window tests check where every window opens, to the pixel, and how soon each dialog's
# modal loop ends after it closes. Both are Wine's and the program's own business only when
# no window manager takes part:
#   - a managed window that is hidden waits for the window manager to withdraw it, up to two
#     seconds when there is none (a bare Xvfb);
#   - a window manager reparents and places each window as it maps it; on a loaded machine
#     Wine then briefly reports a dialog's client area at the screen's corner.
# Wine's X11 driver setting "Managed"="N" makes every window an unmanaged one: it opens where
# the program puts it and is hidden at once, as on Windows.
set -euo pipefail

if [ $# -ne 1 ]; then
    echo "usage: $0 WINE" >&2
    exit 2
fi
wine=$1
if [ -z "${WINEPREFIX:-}" ]; then
    echo "unmanaged-wine-prefix: WINEPREFIX must name the test prefix (the user's own is left alone)" >&2
    exit 2
fi

key='HKCU\Software\Wine\X11 Driver'
"$wine" reg add "$key" /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 || true # checked below
if ! "$wine" reg query "$key" /v Managed 2>/dev/null | tr -d '\r' | grep -Eq 'Managed +REG_SZ +N$'; then
    echo "unmanaged-wine-prefix: could not set $key\\Managed in $WINEPREFIX" >&2
    exit 1
fi
# Let the server write the registry out before the tests start their own processes.
wineserver -w 2>/dev/null || /usr/lib/wine/wineserver64 -w 2>/dev/null || true
