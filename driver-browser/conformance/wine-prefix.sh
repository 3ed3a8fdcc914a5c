#!/usr/bin/env bash
# wine-prefix.sh WINE: the conformance table's Wine prefix $WINEPREFIX: unmanaged windows,
# as for the window tests, a drive D: holding the directory "data", and a drive Q: that lists
# but cannot be read (a link to nothing: a drive whose medium is gone).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
bash "$here/../win32/tests/unmanaged-wine-prefix.sh" "$1"
# The system directory holds only what a scenario lays out (Wine may put its own 16-bit
# modules there).
rm -rf "$WINEPREFIX/drive_c/windows/system"
mkdir -p "$WINEPREFIX/drive_c/windows/system" "$WINEPREFIX/drive_d/data"
ln -sfn ../drive_d "$WINEPREFIX/dosdevices/d:"
rm -rf "$WINEPREFIX/drive_q"
ln -sfn ../drive_q "$WINEPREFIX/dosdevices/q:"
