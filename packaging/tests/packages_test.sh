#!/usr/bin/env bash
# The packages as a user gets them: `./run package` (from the release and win32 build
# directories), Debian's checkers on the .deb files, and each program run from its unpacked
# package: Pexmoor's exact transcript, Tolvane's main window (offscreen; tolvane.exe under
# Wine). Uses the release and win32 (or win64) build directories for its helpers. Exits
# non-zero when any check fails.
set -uo pipefail
cd "$(dirname "$0")/../.." || exit 1
out=build/packages
wine64=/usr/lib/wine/wine64
passes=0
failures=0
check() { # check NAME COMMAND...: runs the command, reports ok or FAIL
    local name=$1
    shift
    if "$@"; then
        echo "ok: $name"
        passes=$((passes + 1))
    else
        echo "FAIL: $name"
        failures=$((failures + 1))
    fi
}

work=$(mktemp -d /tmp/pcu-packages.XXXXXX)
export WINEPREFIX=$work/wine WINEDEBUG=-all
trap 'wineserver -k 2>/dev/null || /usr/lib/wine/wineserver64 -k 2>/dev/null; rm -rf "$work"' EXIT

rm -rf "$out"
./run package || { echo "FAIL: ./run package"; exit 1; }
ls "$out"/pexmoor_*_amd64.deb "$out"/tolvane_*_amd64.deb "$out"/pexmoor-*-win32.zip >/dev/null ||
    exit 1

# Debian's checkers: lintian (errors fail, the rest is shown), the desktop entry, the manual pages.
for deb in "$out"/*.deb; do
    check "lintian $(basename "$deb")" lintian --fail-on error --tag-display-limit 0 "$deb"
    dpkg-deb -x "$deb" "$work/root"
done
# The menu entry's icon: scalable, and in each hicolor size as a PNG of that size (lintian
# checks the sizes too); the scalable one must render.
tolvane_icons() {
    local icons=$work/root/usr/share/icons/hicolor size
    for size in 16 32 48 64 128; do
        [ "$(identify -format '%wx%h' "$icons/${size}x$size/apps/tolvane.png")" = "${size}x$size" ] ||
            { echo "no ${size}x$size icon"; return 1; }
    done
    rsvg-convert -o "$work/scalable.png" "$icons/scalable/apps/tolvane.svg"
}
check "tolvane's icons" tolvane_icons
check "desktop-file-validate" desktop-file-validate "$work/root/usr/share/applications/tolvane.desktop"
check "appstreamcli validate" appstreamcli validate --no-net \
    "$work/root/usr/share/metainfo/example.brisklow.tolvane.metainfo.xml"
man_warnings() {
    local warnings
    warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$1" 2>&1 >/dev/null)
    [ -z "$warnings" ] || { echo "$warnings"; return 1; }
}
for page in "$work"/root/usr/share/man/man1/*.1.gz; do
    check "man --warnings $(basename "$page")" man_warnings "$page"
done

# The unpacked programs. Tolvane reports the windows it shows through a preloaded probe.
check "pexmoor from the .deb" bash processor-test/tests/end_to_end.sh "$work/root/usr/bin/pexmoor"
cmake --preset release >/dev/null && cmake --build --preset release --target main_window_probe >/dev/null
tolvane_windows() {
    mkdir -p "$work/empty-prefix"
    env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen WINEPREFIX="$work/empty-prefix" \
        LD_PRELOAD="$PWD/build/release/packaging/tests/main_window_probe.so" \
        timeout 60 "$work/root/usr/bin/tolvane" >"$work/windows.txt" &&
        diff <(printf 'Brisklow -loading-\nTolvane v1.4\n') "$work/windows.txt"
}
check "tolvane from the .deb shows its splash, then its main window" tolvane_windows

# The zip: 8.3 names, CR LF text, a version resource in each program.
zip32=$(ls "$out"/pexmoor-*-win32.zip)
check "zip contents" diff <(printf 'LICENSE.TXT\nREADME.TXT\npexmoor.exe\ntolvane.exe\n') \
    <(unzip -Z1 "$zip32" | sort)
unzip -q "$zip32" -d "$work/zip32"
crlf() { # every line of every file (each there) ends in CR LF
    local file
    for file; do [ -s "$file" ] || return 1; done
    ! grep -q $'[^\r]$\\|^$' "$@"
}
check "README.TXT and LICENSE.TXT in CR LF" crlf "$work/zip32/README.TXT" "$work/zip32/LICENSE.TXT"
version_resource() { # version_resource EXE VERSION: all six strings, the version as packaged
    local rc
    rc=$(i686-w64-mingw32-windres -i "$1" -O rc) || return 1
    for key in CompanyName FileDescription FileVersion ProductName ProductVersion LegalCopyright; do
        grep -q "VALUE \"$key\", L\?\"[^\"]" <<<"$rc" || { echo "$1: no $key"; return 1; }
    done
    grep -q "VALUE \"FileVersion\", \"$2\"" <<<"$rc" && grep -q "VALUE \"ProductVersion\", \"$2\"" <<<"$rc"
}
pexmoor_version=$(dpkg-deb -f "$out"/pexmoor_*.deb Version)
tolvane_version=$(dpkg-deb -f "$out"/tolvane_*.deb Version)
check "pexmoor.exe's version resource" version_resource "$work/zip32/pexmoor.exe" "$pexmoor_version"
check "tolvane.exe's version resource" version_resource "$work/zip32/tolvane.exe" "$tolvane_version"
audit() { python3 scripts/win95-audit.py --objdump i686-w64-mingw32-objdump "$@" >/dev/null; }
# Each program's import lists are the .def files its build links against.
imports() { local def; for def in "$1"/*.def; do printf -- '--imports=%s\n' "$def"; done; }
mapfile -t tolvane_imports < <(imports driver-browser/win32/imports)
mapfile -t pexmoor_imports < <(imports processor-test/win95)
check "the zip's tolvane.exe passes the Windows 95 audit" audit "$work/zip32/tolvane.exe" \
    "${tolvane_imports[@]}"
check "the zip's pexmoor.exe passes the Windows 95 audit" audit "$work/zip32/pexmoor.exe" \
    "${pexmoor_imports[@]}" --freestanding --cpuid cpuid_leaf1 \
    --mmx={fx_dot_mmx,fx_lincomb_mmx,fx_add_sat_mmx,fx_scale_mmx}
has_icon() { [[ $(i686-w64-mingw32-windres -i "$1" -O rc) == *RT_GROUP_ICON* ]]; }
check "pexmoor.exe's icon" has_icon "$work/zip32/pexmoor.exe"

# The zip's programs under Wine: the 32-bit zip where this machine runs 32-bit programs, else
# the same zip made from the 64-bit build, under wine64.
if timeout 300 wine "$work/zip32/pexmoor.exe" </dev/null 2>/dev/null | grep -q "^Pexmoor complete"; then
    wine=wine zip_dir=$work/zip32
else
    echo "(no 32-bit Wine here: running the zip made from the 64-bit build under wine64)"
    wine=$wine64 zip_dir=$work/zip64
    { cmake --preset win64 && cmake --build --preset win64 &&
        cpack --config build/win64/packaging/CPack-windows.cmake -B "$work/cpack64"; } >/dev/null ||
        { echo "FAIL: the 64-bit zip"; exit 1; }
    unzip -q "$work"/cpack64/*.zip -d "$zip_dir"
fi
check "pexmoor.exe from the zip" bash processor-test/tests/end_to_end.sh "$zip_dir/pexmoor.exe" "$wine"
preset=$([ "$wine" = wine ] && echo win32 || echo win64)
cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset" --target tolvane_end_to_end_test >/dev/null
bash driver-browser/win32/tests/unmanaged-wine-prefix.sh "$wine"
check "tolvane.exe from the zip shows its main window" bash driver-browser/win32/tests/run-with-display.sh \
    "$wine" "build/$preset/driver-browser/win32/tests/tolvane_end_to_end_test.exe" "$zip_dir/tolvane.exe"

ls -l "$out"
echo "package checks: $passes passed, $failures failed"
[ "$failures" -eq 0 ]
