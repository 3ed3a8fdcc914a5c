#!/usr/bin/env bash
# Tests of win95-audit.py on 32-bit Linux ELF programs: small programs, each with one fault,
# must fail the audit with the fault named; the clean freestanding one must pass.
# Usage: elf-audit-test.sh <win95-audit.py> <g++ with -m32> <objdump>
set -u
. "$(dirname "$0")/audit-test-verdict.sh"
audit=$1 cxx=$2 objdump=$3
work=$(mktemp -d /tmp/elf-audit-test.XXXXXX)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
passed=0
failed=0

# check <name> pass|fail <text expected in the report> <link flags...>: builds <name>.cpp
# from the body given on standard input and audits it.
check() {
    local name=$1 want=$2 text=$3
    shift 3
    cat >"$name.cpp"
    "$cxx" -m32 -O2 -march=i386 -fno-pie -fno-exceptions -fno-asynchronous-unwind-tables \
        "$@" "$name.cpp" -o "$name" || { failed=$((failed + 1)); return; }
    local report status
    report=$(python3 "$audit" --objdump "$objdump" --freestanding "$name" 2>&1)
    status=$?
    judge "$name" "$want" "$text" "$status" "$report"
}

freestanding=(-ffreestanding -nostdlib -nostartfiles -static -no-pie)
start='extern "C" __attribute__((noreturn)) void _start() { work(); for (;;) __asm__ volatile("int $0x80" :: "a"(252), "b"(0)); }'

check clean pass '' "${freestanding[@]}" <<SRC
extern "C" __attribute__((noinline)) void work() { __asm__ volatile("xor %%eax, %%eax" ::: "eax"); }
$start
SRC
check cmov fail 'cmovne 1' "${freestanding[@]}" <<SRC
extern "C" __attribute__((noinline)) void work() { __asm__ volatile("cmovne %%ecx, %%eax" ::: "eax", "cc"); }
$start
SRC
check static_init fail '1 static initialisers in .init_array' "${freestanding[@]}" <<SRC
extern "C" int seed();
int seeded = seed();
extern "C" __attribute__((noinline)) void work() {}
extern "C" int seed() { return 1; }
$start
SRC
check tls fail 'thread-local storage' "${freestanding[@]}" <<SRC
__thread int counter = 1;
extern "C" __attribute__((noinline)) void work() { ++counter; }
$start
SRC
check dynamic fail 'program interpreter' -no-pie <<SRC
int main() { return 0; }
SRC

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
