#!/usr/bin/env bash
# Runs a command with an X display for Wine: the current one, else a fresh Xvfb.
if [ -n "${DISPLAY:-}" ]; then
    exec "$@"
fi
exec xvfb-run -a -s "-screen 0 1024x768x24" "$@"
