#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the programs need, when any is missing.
# Usage: scripts/ensure-packages.sh [all|programs|package]   (default: all). Safe to run again.
#   programs: what ./run needs to build and start both programs
#   package:  that, plus what ./run package needs for the Debian packages and the Windows zip
#   all:      that, plus the sanitizer, fuzzing, Windows cross-build and wine tooling of ./test,
#             and the private print server the printing tests print to (cupsd, ghostscript)
# The 32-bit Wine packages are wanted, not needed: without them ./test runs the Windows suites
# in the 64-bit build under wine64 and says so, so their absence is a warning.
set -euo pipefail

what=${1:-all}

common=(cmake ninja-build g++ pkg-config libbenchmark-dev ccache)
pexmoor=(libgtest-dev libgmock-dev)
tolvane=(qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev fonts-dejavu-core libgtest-dev libgmock-dev)
# The pictures and icons are SVG files rendered at build time, with the fonts their texts name
# (and fonts-dejavu-core, above).
pictures=(librsvg2-bin imagemagick fontconfig fonts-liberation fonts-dejavu-extra)
packaging=(g++-mingw-w64-i686 python3 dpkg-dev file gzip)
testing=(clang libclang-rt-14-dev clang-format poppler-utils xvfb xauth x11-utils openbox
         g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine64
         python3 qemu-user g++-multilib
         cups cups-client libcups2 ghostscript
         lintian desktop-file-utils appstream man-db unzip)
testing_wanted=(wine32:i386 libcups2:i386)

case $what in
programs) needed=("${common[@]}" "${pexmoor[@]}" "${tolvane[@]}" "${pictures[@]}"); wanted=() ;;
package) needed=("${common[@]}" "${pexmoor[@]}" "${tolvane[@]}" "${pictures[@]}" "${packaging[@]}"); wanted=() ;;
all) needed=("${common[@]}" "${pexmoor[@]}" "${tolvane[@]}" "${pictures[@]}" "${packaging[@]}" "${testing[@]}"); wanted=("${testing_wanted[@]}") ;;
*) echo "usage: $0 [all|programs|package]" >&2; exit 2 ;;
esac

# not_installed PKG...: prints the ones dpkg does not have installed.
not_installed() {
    local pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || echo "$pkg"
    done
}
mapfile -t missing_needed < <(not_installed "${needed[@]}")
mapfile -t missing_wanted < <(not_installed "${wanted[@]}")
[ ${#missing_needed[@]} -eq 0 ] && [ ${#missing_wanted[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
    if [ ${#missing_needed[@]} -eq 0 ]; then
        echo "warning: not installed (optional): ${missing_wanted[*]}" >&2
        exit 0
    fi
    echo "Missing packages: ${missing_needed[*]} ${missing_wanted[*]}" >&2
    echo "Run as root (or install them with sudo apt-get install) and try again." >&2
    exit 1
fi

echo "Installing: ${missing_needed[*]} ${missing_wanted[*]}"
for pkg in "${missing_needed[@]}" "${missing_wanted[@]}"; do
    if [[ $pkg == *:i386 ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
        dpkg --add-architecture i386
    fi
done
export DEBIAN_FRONTEND=noninteractive
# A mirror caught mid-sync fails one index ("File has unexpected size ... Mirror sync in
# progress?") and apt-get update exits 100 while the other lists are fresh. The install below
# still finds what it needs in most such cases, so only its own failure counts.
if ! apt-get update -q; then
    echo "warning: apt-get update reported errors (a mirror mid-sync?); installing from the lists it has" >&2
fi

# unavailable PKG...: prints the ones apt-get cannot install from the lists it now has.
unavailable() {
    local pkg
    for pkg in "$@"; do
        apt-get install -y -q --simulate "$pkg" >/dev/null 2>&1 || echo "$pkg"
    done
}

if apt-get install -y -q "${missing_needed[@]}" "${missing_wanted[@]}"; then
    exit 0
fi
if [ ${#missing_wanted[@]} -gt 0 ] && { [ ${#missing_needed[@]} -eq 0 ] || apt-get install -y -q "${missing_needed[@]}"; }; then
    mapfile -t lost < <(unavailable "${missing_wanted[@]}")
    echo "warning: could not install the optional ${lost[*]:-${missing_wanted[*]}}; the tests go on without them" >&2
    exit 0
fi
mapfile -t lost < <(unavailable "${missing_needed[@]}")
echo "error: the install failed; packages that could not be had: ${lost[*]:-none alone, see the apt-get message above}" >&2
exit 1
