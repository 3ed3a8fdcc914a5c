#!/usr/bin/env bash
# run-with-display.sh COMMAND...: runs a command on an X display of its own, a fresh Xvfb that
# it stops afterwards; the exit status is the command's.
#
# Each test has its own server, so tests run side by side without sharing a display, its
# focus or its windows: Xvfb picks a free display number itself (-displayfd) and says which
# once it is ready. No window manager is started: the tests' Wine prefixes keep their windows
# unmanaged (unmanaged-wine-prefix.sh), so one would have no windows to manage.
set -uo pipefail
[ $# -gt 0 ] || { echo "usage: $0 COMMAND..." >&2; exit 2; }

work=$(mktemp -d /tmp/run-with-display.XXXXXX) || exit 1
server=
cleanup() {
    if [ -n "$server" ]; then
        kill "$server" 2>/dev/null
        wait "$server" 2>/dev/null
    fi
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM

mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/Xvfb.log" &
server=$!
display=
read -r -t 60 display <"$work/display"
if [ -z "$display" ]; then
    echo "Xvfb did not start:" >&2
    cat "$work/Xvfb.log" >&2
    exit 1
fi
unset WAYLAND_DISPLAY
DISPLAY=:$display "$@"
