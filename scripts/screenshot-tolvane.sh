#!/usr/bin/env bash
# scripts/screenshot-tolvane.sh — pictures the browser's main window.
#
# Builds tolvane_screenshot and make_demo_drivers in the release build (configured when
# missing), writes a demo Windows directory, starts the main window against it under a
# virtual X server (real X11 fonts and style) and saves docs/tolvane-main-window.png.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/release
output=docs/tolvane-main-window.png

[ -f "$build/CMakeCache.txt" ] || cmake --preset release >/dev/null
cmake --build "$build" --target tolvane_screenshot make_demo_drivers

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
"$build/driver-browser/demo/make_demo_drivers" "$prefix" >/dev/null
mkdir -p docs

# A fixed screen and the X11 platform, whatever the caller's session uses.
env -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb WINEPREFIX="$prefix" \
    xvfb-run -a -s "-screen 0 1024x768x24" \
    "$build/driver-browser/qt/tools/tolvane_screenshot" "$output" --select SNDBLAST.DRV
echo "wrote $output"
