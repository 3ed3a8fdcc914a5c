#!/usr/bin/env bash
# Runs a command with an X display for Wine: the current one, else a fresh Xvfb with a
# window manager (openbox, when installed).
#
# The window manager is not decoration. Wine's X11 driver waits for the window manager to
# withdraw every window it hides, and gives up only after two seconds when none answers: on
# a bare Xvfb each closed dialog (the splash among them) would stay in its modal loop two
# seconds longer than on Windows or on any desktop.
set -uo pipefail

if [ -n "${DISPLAY:-}" ] && [ -z "${PCU_FRESH_XVFB:-}" ]; then
    exec "$@"
fi
if [ -z "${PCU_FRESH_XVFB:-}" ]; then
    PCU_FRESH_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
unset PCU_FRESH_XVFB

# Inside the fresh Xvfb: start the window manager and wait until it runs its start-up
# command, which it does once it manages the screen.
if command -v openbox >/dev/null 2>&1; then
    ready=$(mktemp -u /tmp/pcu-openbox-ready.XXXXXX)
    openbox --sm-disable --startup "touch $ready" >/dev/null 2>&1 &
    manager=$!
    trap 'kill $manager 2>/dev/null; rm -f "$ready"' EXIT
    for _ in $(seq 100); do
        [ -e "$ready" ] && break
        sleep 0.1
    done
    [ -e "$ready" ] || echo "run-with-display: openbox did not start; going on without it" >&2
fi
"$@"
