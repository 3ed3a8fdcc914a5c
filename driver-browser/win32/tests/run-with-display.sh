#!/usr/bin/env bash
# Runs a command with an X display for Wine: the current one, else a fresh Xvfb of its own.
#
# No window manager is started: the tests' Wine prefixes keep their windows unmanaged
# (unmanaged-wine-prefix.sh), so one would have no windows to manage.
set -uo pipefail

if [ -n "${DISPLAY:-}" ]; then
    exec "$@"
fi
exec xvfb-run -a -s "-screen 0 1024x768x24" "$@"
