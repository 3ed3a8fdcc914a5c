#!/usr/bin/env bash
# scripts/screenshot-tolvane-windows.sh — pictures tolvane.exe's main window under Wine.
#
# Builds tolvane.exe in the 32-bit Windows build (the 64-bit one where wine32 cannot run),
# make_demo_drivers in the native release build, writes a demo Windows directory into a
# fresh Wine prefix, starts tolvane.exe under a virtual X server, takes the main window from
# the screen once the splash has gone (xwininfo finds it, ImageMagick's import cuts it out)
# and saves docs/tolvane-windows-main-window.png.
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
cmake --build "build/$preset" --target tolvane

prefix=$(mktemp -d)
trap 'WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true; rm -rf "$prefix"' EXIT
build/release/driver-browser/demo/make_demo_drivers "$prefix" >/dev/null
bin=build/$preset/driver-browser/win32
# ImageMagick under its Debian names first, so that no other `convert` or `import` on PATH
# is taken.
import=$(command -v import-im6.q16 || command -v import)
convert=$(command -v convert-im6.q16 || command -v convert)
mkdir -p docs

cat >"$prefix/shoot.sh" <<SHOOT
#!/usr/bin/env bash
export WINEPREFIX="$prefix" WINEDEBUG=-all
$wine wineboot -i >/dev/null 2>&1 || true
# A Wine desktop of its own, so that Wine draws the title bar and frame into the main
# window's X window.
$wine explorer /desktop=tolvane,640x480 "$bin/tolvane.exe" &
sleep 5
for _ in \$(seq 1 100); do
    place=\$(xwininfo -root -tree | awk '/"Tolvane v1.4"/ { print \$(NF - 1); exit }')
    [ -n "\$place" ] && break
    sleep 0.2
done
sleep 0.5 # let it paint
"$import" -window root -crop "\$place" +repage "$prefix/shot.png"
wineserver -k
SHOOT
xvfb-run -a -s "-screen 0 1024x768x24" bash "$prefix/shoot.sh" || true
"$convert" "$prefix/shot.png" \
    -define png:exclude-chunks=date,time "$output"
echo "wrote $output"
