#!/usr/bin/env bash
# non_regular_files.sh WINE TEST_EXE: lays out, in $WINEPREFIX's Windows directory, what another
# program may leave where tolvane.exe reads and writes (a FIFO where the shortcut goes, a
# FIFO and a link to /dev/null among the drivers), runs the window test's SpecialFiles cases
# over them, and removes them again.
set -uo pipefail

if [ $# -ne 2 ]; then
    echo "usage: $0 WINE TEST_EXE" >&2
    exit 2
fi
windows=$WINEPREFIX/drive_c/windows
made_desktop=false
cleanup() {
    rm -f "$windows/desktop/Harrowmint.URL" "$windows/system/pipe.drv" "$windows/system/null.drv"
    if $made_desktop; then
        rmdir "$windows/desktop"
    fi
}
rm -f "$windows/desktop/Harrowmint.URL" "$windows/system/pipe.drv" "$windows/system/null.drv"
mkdir -p "$windows/system" || exit 1
if [ ! -d "$windows/desktop" ]; then
    mkdir "$windows/desktop" && made_desktop=true || exit 1
fi
trap cleanup EXIT
mkfifo "$windows/desktop/Harrowmint.URL" "$windows/system/pipe.drv" &&
    ln -s /dev/null "$windows/system/null.drv" || exit 1
TOLVANE_NON_REGULAR_FILES=1 "$1" "$2" --gtest_filter='SpecialFiles.*'
