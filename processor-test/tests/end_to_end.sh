#!/usr/bin/env bash
# Runs the built pexmoor with no standard input and compares its whole output with the
# expected transcript, benchmark figures masked. Usage: end_to_end.sh <pexmoor> [runner]
set -u
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

{
    printf 'Pexmoor processor check and MMX benchmark, from Corvelline\n'
    printf 'http://www.corvelline.example/\n\n'
    printf 'Chip is an 8086 or better\nChip is a 286 or better\nChip is a 386 or better\n'
    printf 'Chip is a 486 or better\nChip is a pentium or better\n'
    if [ "$mmx" = 1 ]; then
        printf '\nYour machine is a %s.    MMX is enabled\n\n' "$name"
        printf 'Test1 (dot product): ok\nTest2 (linear combination): ok\nTest3 (add): ok\n'
        printf "Test4 (scale): ok\nIf you see 'failed' above, you have a bad chip.\n\n"
        printf 'Benchmarking your MMX system. This will take about a minute. We work your\n'
        printf "machine about 5 times harder in MMX mode; that's why the mmx/non-mmx benchmarks\n"
        printf 'seem to take about the same amount of time.\n'
        printf 'Starting benchmark 1 without mmx...done.  Now using mmx...done.\n'
        printf 'Starting benchmark 2 without mmx...done.  Now using mmx...done.\n\n'
        printf '\n\tBenchmark 1 MMX speed up factor: #.#.     #.# mips MMX.\n'
        printf '\n\tBenchmark 2 MMX speed up factor: #.#.     #.# mips MMX.\n'
    else
        printf '\nYour machine is a %s.    MMX is nonexistent\n\n' "$name"
    fi
    printf '\nPexmoor complete. Visit us at http://www.corvelline.example/.\n'
    printf 'Hit <enter> to quit this program'
} >"$expected"

# shellcheck disable=SC2086
$runner "$program" </dev/null >"$actual"
status=$?
# Mask the figures (leading blanks of the %5.1f field included), and the carriage
# returns a Windows console adds.
sed -i -e 's/\r$//' -e 's/factor: *[-0-9.infa]*\.     *[-0-9.infa]* mips/factor: #.#.     #.# mips/' "$actual"
sed -i -e 's/factor: #\.#\.     #\.# mips/factor: #.#.     #.# mips/' "$expected"

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
