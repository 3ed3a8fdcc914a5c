#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the programs need, when any is missing.
# Usage: scripts/ensure-packages.sh [all|programs]   (default: all). Safe to run again.
#   programs: what ./run needs to build and start both programs
#   all:      that, plus the sanitizer, fuzzing, Windows cross-build and wine tooling of ./test,
#             and the private print server the printing tests print to (cupsd, ghostscript)
set -euo pipefail

what=${1:-all}

common=(cmake ninja-build g++ pkg-config libbenchmark-dev)
pexmoor=(libgtest-dev libgmock-dev)
tolvane=(qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev fonts-dejavu-core libgtest-dev libgmock-dev)
testing=(clang libclang-rt-14-dev clang-format poppler-utils xvfb xauth openbox
         g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine64 wine32:i386
         python3 qemu-user g++-multilib
         cups cups-client libcups2 libcups2:i386 ghostscript)

case $what in
programs) wanted=("${common[@]}" "${pexmoor[@]}" "${tolvane[@]}") ;;
all) wanted=("${common[@]}" "${pexmoor[@]}" "${tolvane[@]}" "${testing[@]}") ;;
*) echo "usage: $0 [all|programs]" >&2; exit 2 ;;
esac

missing=()
for pkg in "${wanted[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$pkg")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages: ${missing[*]}" >&2
    echo "Run as root (or install them with sudo apt-get install) and try again." >&2
    exit 1
fi

echo "Installing: ${missing[*]}"
for pkg in "${missing[@]}"; do
    if [[ $pkg == *:i386 ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
        dpkg --add-architecture i386
    fi
done
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q "${missing[@]}"
