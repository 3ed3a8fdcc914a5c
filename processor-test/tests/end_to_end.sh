#!/usr/bin/env bash
# Runs the built pexmoor with no standard input and compares its whole output with the
# expected transcript, benchmark figures masked. Usage: end_to_end.sh <pexmoor> [runner]
set -u
# shellcheck source=transcript.sh
. "$(dirname "$0")/transcript.sh"
program=$1
runner=${2:-}

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
