#!/usr/bin/env bash
# scripts/screenshot-tolvane-windows.sh — pictures tolvane.exe's main window under Wine.
#
# Builds tolvane.exe and screen_capture in the 32-bit Windows build (the 64-bit one where
# wine32 cannot run), make_demo_drivers in the native release build, writes a demo Windows
# directory into a fresh Wine prefix, starts tolvane.exe under a virtual X server, captures
# the main window once the splash has gone and saves docs/tolvane-windows-main-window.png.
set -euo pipefail
cd "$(dirname "$0")/.."

output=docs/tolvane-windows-main-window.png
preset=win32
wine=wine
if [ ! -x /usr/lib/wine/wine ]; then   # no wine32: `wine` would be wine64
    preset=win64
    wine=/usr/lib/wine/wine64
fi
[ -f build/release/CMakeCache.txt ] || cmake --preset release >/dev/null
[ -f "build/$preset/CMakeCache.txt" ] || cmake --preset "$preset" >/dev/null
cmake --build build/release --target make_demo_drivers
cmake --build "build/$preset" --target tolvane screen_capture

prefix=$(mktemp -d)
trap 'WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true; rm -rf "$prefix"' EXIT
build/release/driver-browser/demo/make_demo_drivers "$prefix" >/dev/null
bin=build/$preset/driver-browser/win32
mkdir -p docs

cat >"$prefix/shoot.sh" <<SHOOT
#!/usr/bin/env bash
export WINEPREFIX="$prefix" WINEDEBUG=-all
$wine wineboot -i >/dev/null 2>&1 || true
# A Wine desktop of its own, so that Wine draws the title bar and frame; the capture tool
# runs on the same desktop.
$wine explorer /desktop=tolvane,640x480 "$bin/tolvane.exe" &
sleep 1
$wine explorer /desktop=tolvane,640x480 "$bin/screen_capture.exe" 'Z:$prefix/shot.bmp' 4000 'Tolvane v1.4'
for _ in \$(seq 1 100); do [ -s "$prefix/shot.bmp" ] && break; sleep 0.2; done
sleep 1
wineserver -k
SHOOT
xvfb-run -a -s "-screen 0 1024x768x24" bash "$prefix/shoot.sh" || true
# ImageMagick under its Debian name first, so that no other `convert` on PATH is taken.
"$(command -v convert-im6.q16 || command -v convert)" "$prefix/shot.bmp" \
    -define png:exclude-chunks=date,time "$output"
echo "wrote $output"
