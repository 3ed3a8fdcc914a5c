#!/usr/bin/env bash
# Runs a static 32-bit Linux build of pexmoor under qemu-i386 on emulated processors, whose
# CPUID answers take the place of real ones, and compares each whole transcript (figures
# masked) with what that processor must give: the machine line, the MMX word, and the four
# tests and the benchmark exactly when MMX is present.
# Usage: emulated_cpus.sh <pexmoor built with -m32 -static> [qemu-i386]
#
# Debian's 32-bit C library uses CMOV (it is built for the i686), so only processor models
# that have CMOV can run this build at all: the Pentium, Pentium MMX, 486 and 386 models
# stop at the first CMOV of the C library's start-up code. The 486 is therefore a Pentium III
# that reports family 4 and no MMX: it has CPUID, so it prints all five progress lines.
set -u
# shellcheck source=transcript.sh
. "$(dirname "$0")/transcript.sh"
program=$1
qemu=${2:-qemu-i386}

if ! command -v "$qemu" >/dev/null 2>&1; then
    echo "$qemu not found"
    exit 1
fi

expected=$(mktemp)
actual=$(mktemp)
trap 'rm -f "$expected" "$actual"' EXIT
export PEXMOOR_BENCH_SCALE=1000 # the figures are masked: a short benchmark will do
passed=0
failed=0

# run_model <QEMU -cpu argument> <machine name> <1 with MMX, 0 without>
run_model() {
    local model=$1 name=$2 mmx=$3
    expected_transcript "$name" "$mmx" >"$expected"
    "$qemu" -cpu "$model" "$program" </dev/null >"$actual" 2>&1
    local status=$?
    mask_transcript "$actual"
    if [ "$status" -eq 0 ] && cmp -s "$expected" "$actual"; then
        echo "ok   -cpu $model: \"$name\", MMX $([ "$mmx" = 1 ] && echo 'enabled, four ok' || echo nonexistent)"
        passed=$((passed + 1))
    else
        echo "FAIL -cpu $model: exit status $status, transcript:"
        diff <(cat -A "$expected") <(cat -A "$actual")
        failed=$((failed + 1))
    fi
}

# QEMU's models: pentium2 is family 6 with MMX; qemu32 has MMX (its feature set is the
# Pentium Pro's plus MMX and SSE), here reporting family 5, a Pentium with MMX.
run_model pentium2 "Pentium Pro or Pentium II" 1
run_model pentium2,-mmx "Pentium Pro or Pentium II" 0
run_model qemu32,family=5 "Pentium" 1
run_model pentium3,family=4,-mmx "80486" 0

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
