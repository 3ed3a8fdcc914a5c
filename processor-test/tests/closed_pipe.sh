#!/usr/bin/env bash
# A reader that closes the pipe early must not kill pexmoor: it still exits with 0.
set -u
"$1" </dev/null | head -c 10 >/dev/null
status=${PIPESTATUS[0]}
if [ "$status" -ne 0 ]; then
    echo "pexmoor exited with $status after its reader went away"
    exit 1
fi
echo "exit status 0 with a closed pipe"
