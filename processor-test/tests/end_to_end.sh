#!/usr/bin/env bash
# Runs the built pexmoor with no standard input and compares its whole output with the
# expected transcript, benchmark figures masked. With a version (not on Windows, where the
# command line is not looked at), also checks that --version prints it at once, standard
# input left open, and that any other argument is refused with status 2.
# Usage: end_to_end.sh <pexmoor> [runner] [version]
set -u
# shellcheck source=transcript.sh
. "$(dirname "$0")/transcript.sh"
program=$1
runner=${2:-}
version=${3:-}

# What this processor is, from the kernel's view (the program must agree).
family=$(awk -F: '/^cpu family/ {gsub(/ /, "", $2); print $2; exit}' /proc/cpuinfo)
if grep -qw mmx /proc/cpuinfo; then mmx=1; else mmx=0; fi
names=("8086 or 8088" "80186" "80286" "80386" "80486" "Pentium" "Pentium Pro or Pentium II")
if [ "$family" -ge 15 ]; then
    name="family 15 or later processor"
elif [ "$family" -ge 7 ]; then
    name="family $family processor"
else
    name=${names[$family]}
fi

expected=$(mktemp)
actual=$(mktemp)
trap 'rm -f "$expected" "$actual"' EXIT

expected_transcript "$name" "$mmx" >"$expected"

# shellcheck disable=SC2086
$runner "$program" </dev/null >"$actual"
status=$?
mask_transcript "$actual"

if [ "$status" -ne 0 ]; then
    echo "exit status $status, expected 0"
    exit 1
fi
if ! cmp -s "$expected" "$actual"; then
    echo "transcript differs:"
    diff <(cat -A "$expected") <(cat -A "$actual")
    exit 1
fi
echo "transcript matches, exit status 0"

if [ -n "$version" ]; then
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    exec 3<>"$fifo" # open, and never written: a run that waited for Enter would hang
    rm "$fifo"
    # shellcheck disable=SC2086
    printed=$(timeout 20 $runner "$program" --version <&3)
    status=$?
    if [ "$status" -ne 0 ] || [ "$printed" != "pexmoor $version" ]; then
        echo "--version: exit status $status, printed '$printed'"
        exit 1
    fi
    # shellcheck disable=SC2086
    refused=$(timeout 20 $runner "$program" --frobnicate 2>&1 >/dev/null <&3)
    status=$?
    if [ "$status" -ne 2 ] || [[ "$refused" != *"Usage: pexmoor [--help | --version]"* ]]; then
        echo "--frobnicate: exit status $status, standard error '$refused'"
        exit 1
    fi
    echo "--version prints 'pexmoor $version' at once; an unknown argument gives status 2"
fi
