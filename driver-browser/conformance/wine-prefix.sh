#!/usr/bin/env bash
# wine-prefix.sh WINE: the conformance table's Wine prefix $WINEPREFIX: unmanaged windows,
# as for the window tests, and a drive Q: that lists but cannot be read (a plain file).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
bash "$here/../win32/tests/unmanaged-wine-prefix.sh" "$1"
: >"$WINEPREFIX/drive_q"
ln -sfn ../drive_q "$WINEPREFIX/dosdevices/q:"
