#!/usr/bin/env bash
# Tests of win95-audit.py: small programs, each with one fault, must fail the audit with the
# fault named; the clean one must pass.
# Usage: win95-audit-test.sh <win95-audit.py> <i686 g++> <i686 objdump> <i686 dlltool>
set -u
. "$(dirname "$0")/audit-test-verdict.sh"
audit=$1 cxx=$2 objdump=$3 dlltool=$4
work=$(mktemp -d /tmp/win95-audit-test.XXXXXX)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
passed=0
failed=0

cat >kernel32.def <<'DEF'
LIBRARY KERNEL32.dll
EXPORTS
ExitProcess@4
DEF
"$dlltool" --input-def kernel32.def --output-lib libkernel32.a --kill-at || exit 1

# build <name> <extra link flags> : compiles <name>.cpp freestanding, entry point "start"
build() {
    local name=$1
    shift
    "$cxx" -O2 -march=i386 -fno-exceptions -fno-asynchronous-unwind-tables -c "$name.cpp" -o "$name.o" &&
        "$cxx" -nostdlib -nostartfiles -Wl,-e,_start -Wl,--subsystem,console:4.0 "$name.o" "$@" -o "$name.exe"
}

# expect <name> pass|fail <text expected in the report> <audit options...>
expect() {
    local name=$1 want=$2 text=$3
    shift 3
    local report status
    report=$(python3 "$audit" --objdump "$objdump" "$@" "$name.exe" 2>&1)
    status=$?
    judge "$name" "$want" "$text" "$status" "$report"
}

program() { # program <name> <body of a function "work"> [extra top-level code]
    cat >"$1.cpp" <<SRC
#include <windows.h>
${3:-}
extern "C" __attribute__((noinline)) void work() { $2 }
extern "C" void start() { work(); ExitProcess(0); }
SRC
}

opts=(--imports kernel32.def --cpuid probe --mmx kernel --freestanding)

program clean '__asm__ volatile("xor %%eax, %%eax\n\tfld1\n\tfstp %%st(0)" ::: "eax");'
build clean -L. -lkernel32 && expect clean pass '' "${opts[@]}"

program cmov '__asm__ volatile("cmovne %%ecx, %%eax" ::: "eax", "cc");'
build cmov -L. -lkernel32 && expect cmov fail 'cmovne 1' "${opts[@]}"

program fcomi '__asm__ volatile("fld1\n\tfldz\n\tfcomip %%st(1), %%st\n\tfstp %%st(0)" ::: "cc");'
build fcomi -L. -lkernel32 && expect fcomi fail 'fcomip 1' "${opts[@]}"

program bswap '__asm__ volatile("bswap %%eax\n\txadd %%eax, %%ecx" ::: "eax", "ecx", "cc");'
build bswap -L. -lkernel32 && expect bswap fail 'bswap 1, xadd 1' "${opts[@]}"

program longnop '__asm__ volatile("nopl 0(%%eax)" :::);'
build longnop -L. -lkernel32 && expect longnop fail 'nop (long NOP) 1' "${opts[@]}"

program cpuid_elsewhere '__asm__ volatile("cpuid" ::: "eax", "ebx", "ecx", "edx");'
build cpuid_elsewhere -L. -lkernel32 && expect cpuid_elsewhere fail 'cpuid 1' "${opts[@]}"

program cpuid_in_probe 'probe();' 'extern "C" __attribute__((noinline)) void probe() { __asm__ volatile("cpuid" ::: "eax", "ebx", "ecx", "edx"); }'
build cpuid_in_probe -L. -lkernel32 && expect cpuid_in_probe pass '' "${opts[@]}"

program mmx_elsewhere '__asm__ volatile("pxor %%mm0, %%mm0\n\temms" :::);'
build mmx_elsewhere -L. -lkernel32 && expect mmx_elsewhere fail 'pxor (MMX) 1' "${opts[@]}"

program mmx_in_kernel 'kernel();' 'extern "C" __attribute__((noinline)) void kernel() { __asm__ volatile("pxor %%mm0, %%mm0\n\tpaddsw %%mm1, %%mm0\n\temms" :::); }'
build mmx_in_kernel -L. -lkernel32 && expect mmx_in_kernel pass '' "${opts[@]}"

program sse_mmx_in_kernel 'kernel();' 'extern "C" __attribute__((noinline)) void kernel() { __asm__ volatile("pshufw $0, %%mm1, %%mm0\n\temms" :::); }'
build sse_mmx_in_kernel -L. -lkernel32 && expect sse_mmx_in_kernel fail 'pshufw (MMX) 1' "${opts[@]}"

program sse2_in_kernel 'kernel();' 'extern "C" __attribute__((noinline)) void kernel() { __asm__ volatile("paddw %%xmm1, %%xmm0" :::); }'
build sse2_in_kernel -L. -lkernel32 && expect sse2_in_kernel fail 'paddw (SSE) 1' "${opts[@]}"

# An import Windows 95 lacks (through the toolchain's own import library).
program vista 'volatile ULONGLONG t = GetTickCount64(); (void)t;'
build vista -lkernel32 && expect vista fail 'KERNEL32.dll!GetTickCount64 is not on the list of allowed imports' "${opts[@]}"

program user32 'MessageBeep(0);'
build user32 -L. -lkernel32 -luser32 && expect user32 fail 'DLL USER32.dll not allowed' "${opts[@]}"

# A DLL that only later Windows 95 releases have (the new check names it on its own terms).
program msvcrt 'const char* volatile s = "x"; volatile size_t n = strlen(s); (void)n;'
build msvcrt -L. -lkernel32 -lmsvcrt && expect msvcrt fail 'DLL msvcrt.dll is outside the Windows 95 set' "${opts[@]}"

# A layout other than the one the Windows 95 loader maps, a TLS directory, delay-load imports.
program layout ''
build layout -L. -lkernel32 -Wl,--file-alignment,4096 && expect layout fail 'file alignment 4096, not 512' "${opts[@]}"
build layout -L. -lkernel32 -Wl,--section-alignment,8192 && expect layout fail 'section alignment 8192, not 4096' "${opts[@]}"
build layout -L. -lkernel32 -Wl,--image-base,0x10000000 && expect layout fail 'image base 0x10000000, not 0x400000' "${opts[@]}"
program tls '' 'extern "C" const IMAGE_TLS_DIRECTORY32 _tls_used = {};'
build tls -L. -lkernel32 && expect tls fail 'a TLS directory' "${opts[@]}"
"$dlltool" --input-def kernel32.def --output-delaylib libkernel32_delay.a --kill-at || exit 1
program delay 'ExitProcess(1);' 'extern "C" void* __stdcall __delayLoadHelper2(const void*, void*) { return 0; }'
build delay -L. -lkernel32_delay && expect delay fail 'delay-load imports (__DELAY_IMPORT_DESCRIPTOR' "${opts[@]}"
# The directory entry as other linkers write it, put into the clean program.
python3 -c 'import struct,sys; d=bytearray(open(sys.argv[1],"rb").read()); pe=struct.unpack_from("<I",d,60)[0]
struct.pack_into("<II",d,pe+24+96+13*8,0x1000,32); open(sys.argv[2],"wb").write(d)' clean.exe delay_directory.exe &&
    expect delay_directory fail 'delay-load imports (directory 0x1000, 32 bytes)' "${opts[@]}"

# A newer subsystem version.
program vista_subsystem ''
build vista_subsystem -L. -lkernel32 -Wl,--subsystem,console:6.0 &&
    expect vista_subsystem fail 'subsystem version 6.0, above 4.0' "${opts[@]}"

# A static initialiser nothing would run.
program static_init '' 'int seed(); int seeded = seed(); int seed() { return static_cast<int>(GetTickCount()); }'
build static_init -lkernel32 && expect static_init fail '1 static initialisers' --freestanding

# A 64-bit image.
printf 'int main() { return 0; }\n' >x64.cpp
if x86_64-w64-mingw32-g++ x64.cpp -o x64.exe 2>/dev/null; then
    expect x64 fail 'machine 0x8664, not i386' "${opts[@]}"
fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
