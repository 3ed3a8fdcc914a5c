#!/usr/bin/env bash
# Runs the freestanding 32-bit Linux build of pexmoor (no C library, code for the 80386,
# audited like pexmoor.exe) under qemu-i386 on emulated processors, whose CPUID answers take
# the place of real ones, and compares each whole transcript (figures masked) with what that
# processor must give: the machine line, the MMX word, and the four tests and the benchmark
# exactly when MMX is present. QEMU stops every CMOV on its 486 and Pentium models, so these
# runs also show the build holds none (MMX instructions it runs on every model: there the MMX
# word rests on CPUID alone).
# The command line reaches the program through its own _start: --version prints the version
# given, an unknown argument gives status 2.
# Usage: emulated_cpus.sh <freestanding pexmoor> [qemu-i386] [version]
#
# QEMU lets the alignment-check flag (bit 18 of EFLAGS) change on every model, so none of
# them can stand in for an 80386, and every model has CPUID: the 8086, 80186, 80286, 80386
# and CPUID-less 80486 paths of the detection are covered by the simulated processors of
# cpu_detect_test.cpp instead.
set -u
# shellcheck source=transcript.sh
. "$(dirname "$0")/transcript.sh"
program=$1
qemu=${2:-qemu-i386}
version=${3:-}

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

# QEMU's models. The 486 reports family 4 through CPUID; athlon (family 6) and kvm32
# (family 15) are QEMU's own virtual processors.
run_model 486 "80486" 0
run_model pentium "Pentium" 1
run_model pentium,-mmx "Pentium" 0
run_model pentium2 "Pentium Pro or Pentium II" 1
run_model pentium2,-mmx "Pentium Pro or Pentium II" 0
run_model pentium3 "Pentium Pro or Pentium II" 1
run_model athlon "Pentium Pro or Pentium II" 1
run_model kvm32 "family 15 or later processor" 1

if [ -n "$version" ]; then
    printed=$("$qemu" "$program" --version </dev/null)
    "$qemu" "$program" --frobnicate </dev/null >/dev/null 2>&1
    refused=$?
    if [ "$printed" = "pexmoor $version" ] && [ "$refused" -eq 2 ]; then
        echo "ok   --version: \"$printed\"; an unknown argument: status 2"
        passed=$((passed + 1))
    else
        echo "FAIL --version printed \"$printed\", an unknown argument gave status $refused"
        failed=$((failed + 1))
    fi
fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
