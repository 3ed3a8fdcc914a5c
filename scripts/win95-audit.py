#!/usr/bin/env python3
"""Audit of a 32-bit Windows executable meant for Windows 95 and any x86 from the 80386 on.

Checks, and exits 1 on any finding:
  * PE header: a PE32 image for the i386 (machine 0x14c), subsystem version 4.0 or lower,
    image base 0x400000, section alignment 4096 and file alignment 512 (the layout the
    Windows 95 loader maps directly), no TLS directory and no delay-load imports (Windows 95
    starts neither).
  * DLLs: imports only from KERNEL32, USER32, GDI32, ADVAPI32 and SHELL32, which every
    Windows 95 has (the first releases have no C run-time DLL).
  * Instructions (mingw objdump, Intel syntax): every instruction must belong to the 80386
    and 80387 sets, listed below as a whitelist. The exceptions are CPUID inside the
    functions named with --cpuid and the original MMX instructions (on MMX registers only)
    inside the functions named with --mmx. Long NOPs (0F 1F), CMOVcc, FCOMI, BSWAP,
    CMPXCHG, XADD, CPUID, RDTSC, UD2, SSE registers and anything else not listed fail.
  * Imports (with --imports FILE.def, repeatable): only the DLLs named by the .def files'
    LIBRARY lines, only the functions their EXPORTS list, by name (no ordinals).
  * With --freestanding: the image's constructor list (___CTOR_LIST__) is empty, since no
    start-up code runs static initialisers.
A static 32-bit Linux ELF program (the freestanding Linux build, disassembled with the
system's objdump) gets the same instruction check; its header must be an ELF32 i386
executable with no program interpreter, no dynamic section and no thread-local storage, and
with --freestanding its initialiser arrays (.preinit_array, .init_array, .ctors) are empty.
With --own-code BUILD_DIR --map FILE.map only the code that the link map attributes to this
build's own object files and libraries is checked for instructions (for test programs that
link the toolchain's run-time and GoogleTest, whose code is not ours to audit); such a
program takes its run-time's DLLs and TLS directory with it, so those two checks are left out.
Function names are matched on their unqualified name (C++ names demangled, parameters,
namespaces and clone suffixes dropped), or, when given with "::", on the end of the
qualified name (Class::method).
"""
import argparse
import bisect
import collections
import os
import re
import struct
import subprocess
import sys

I386 = set("""
aaa aad aam aas adc add and arpl bound bsf bsr bt btc btr bts call cbw cwde cwd cdq clc cld
cli clts cmc cmp cmps cmpsb cmpsw cmpsd daa das dec div enter hlt idiv imul in inc ins insb
insw insd int int3 into iret iretd iretw ja jae jb jbe je jg jge jl jle jne jno jnp jns jo jp
js jcxz jecxz jmp ljmp lcall lret lahf lar lds lea leave les lfs lgdt lgs lidt lldt lmsw lods
lodsb lodsw lodsd loop loope loopne lsl lss ltr mov movs movsb movsw movsd movsx movzx mul neg
nop not or out outs outsb outsw outsd pop popa popad popaw popf popfd popfw push pusha pushad
pushaw pushf pushfd pushfw pushw popw rcl rcr ret retf rol ror sahf sal sar sbb scas scasb
scasw scasd seta setae setb setbe sete setg setge setl setle setne setno setnp setns seto setp
sets sgdt shl shld shr shrd sidt sldt smsw stc std sti stos stosb stosw stosd str sub test verr
verw xchg xlat xlatb xor fwait wait
""".split())

I387 = set("""
f2xm1 fabs fadd faddp fbld fbstp fchs fclex fnclex fcom fcomp fcompp fcos fdecstp fdiv fdivp
fdivr fdivrp ffree fiadd ficom ficomp fidiv fidivr fild fimul fincstp finit fninit fist fistp
fisub fisubr fld fld1 fldcw fldenv fldl2e fldl2t fldlg2 fldln2 fldpi fldz fmul fmulp fnop
fpatan fprem fprem1 fptan frndint frstor fsave fnsave fscale fsin fsincos fsqrt fst fstcw
fnstcw fstenv fnstenv fstp fstsw fnstsw fsub fsubp fsubr fsubrp ftst fucom fucomp fucompp fxam
fxch fxtract fyl2x fyl2xp1
""".split())

# The MMX instructions of the Pentium MMX (not the later SSE additions such as PSHUFW).
MMX = set("""
emms movd movq packssdw packsswb packuswb paddb paddw paddd paddsb paddsw paddusb paddusw pand
pandn pcmpeqb pcmpeqw pcmpeqd pcmpgtb pcmpgtw pcmpgtd pmaddwd pmulhw pmullw por pslld psllq
psllw psrad psraw psrld psrlq psrlw psubb psubw psubd psubsb psubsw psubusb psubusw punpckhbw
punpckhwd punpckhdq punpcklbw punpcklwd punpckldq pxor
""".split())

# The DLLs of every Windows 95 release (lower case).
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "shell32.dll"}

# The data directory entries of thread-local storage and delay-load imports.
TLS_DIRECTORY = 9
DELAY_IMPORT_DIRECTORY = 13

PREFIXES = set("lock rep repz repnz repe repne cs ds es ss fs gs data16 addr16 data32 addr32".split())

MMX_REG = re.compile(r"\bmm[0-7]\b")
SSE_REG = re.compile(r"\b[xyz]mm[0-9]+\b|\bk[0-7]\b")

FUNC_LINE = re.compile(r"^([0-9a-f]+) <(.*)>:$")
INSN_LINE = re.compile(r"^\s*([0-9a-f]+):\t([0-9a-f ]+?)\s*(?:\t(.*))?$")


def qualified_name(symbol):
    """The name without parameters, clone suffixes and anonymous namespaces."""
    name = symbol.replace("(anonymous namespace)::", "")
    name = re.sub(r"\s*\[clone [^\]]*\]", "", name)
    depth = 0
    for i, c in enumerate(name):
        if c == "<":
            depth += 1
        elif c == ">":
            depth -= 1
        elif c == "(" and depth == 0:
            name = name[:i]
            break
    return name


def base_name(symbol):
    name = qualified_name(symbol).split("::")[-1]
    name = name.split(".")[0] if not name.startswith(".") else name
    name = name.split("@")[0]  # no stdcall decoration
    return name.lstrip("_") if not symbol.startswith("_Z") else name


def read_def(path):
    """The DLL a .def file's LIBRARY line names (lower case) and the functions its EXPORTS list."""
    with open(path) as f:
        lines = [line.split(";")[0].split() for line in f]
    words = [line for line in lines if line]
    library = [line[1].strip('"').lower() for line in words if line[0].upper() == "LIBRARY"]
    if not library:
        sys.exit(f"{path}: no LIBRARY line")
    exports = [i for i, line in enumerate(words) if line[0].upper() == "EXPORTS"]
    names = {line[0].split("@")[0] for line in words[exports[0] + 1:]} if exports else set()
    return library[-1] if library[-1].endswith(".dll") else library[-1] + ".dll", names


def permitted(name, qualified, names):
    """A function named NAME or CLASS::NAME, or a qualified name ending with one given."""
    return name in names or any(qualified == n or qualified.endswith("::" + n) for n in names if "::" in n)


class Image:
    def __init__(self, path):
        with open(path, "rb") as f:
            self.data = f.read()
        d = self.data
        if d[:2] != b"MZ":
            raise ValueError("not an MZ executable")
        pe = struct.unpack_from("<I", d, 0x3C)[0]
        if d[pe:pe + 4] != b"PE\0\0":
            raise ValueError("no PE signature")
        (self.machine, nsections, _, self.symtab, _, opt_size, _) = struct.unpack_from("<HHIIIHH", d, pe + 4)
        opt = pe + 24
        self.magic = struct.unpack_from("<H", d, opt)[0]
        self.sections = []
        sec = opt + opt_size
        for i in range(nsections):
            name, vsize, va, rawsize, rawptr = struct.unpack_from("<8sIIII", d, sec + 40 * i)
            self.sections.append((va, max(vsize, rawsize), rawptr))
        if self.magic != 0x10B:
            return
        (self.image_base, self.section_alignment, self.file_alignment) = struct.unpack_from("<III", d, opt + 28)
        (self.os_major, self.os_minor, _, _, self.sub_major, self.sub_minor) = struct.unpack_from("<HHHHHH", d, opt + 40)
        self.subsystem = struct.unpack_from("<H", d, opt + 68)[0]
        ndirs = struct.unpack_from("<I", d, opt + 92)[0]
        # (RVA, size) of each data directory.
        self.directories = [struct.unpack_from("<II", d, opt + 96 + 8 * i) for i in range(ndirs)]
        self.import_rva = self.directory(1)[0]

    def directory(self, index):
        return self.directories[index] if index < len(self.directories) else (0, 0)

    def offset(self, rva):
        for va, size, raw in self.sections:
            if va <= rva < va + size:
                return raw + rva - va
        raise ValueError(f"RVA {rva:#x} outside every section")

    def cstring(self, rva):
        o = self.offset(rva)
        return self.data[o:self.data.index(b"\0", o)].decode("latin-1")

    def imports(self):
        """[(dll, name or None, ordinal or None)]"""
        found = []
        if not self.import_rva:
            return found
        o = self.offset(self.import_rva)
        while True:
            lookup, _, _, name_rva, thunk = struct.unpack_from("<IIIII", self.data, o)
            if name_rva == 0:
                break
            dll = self.cstring(name_rva)
            t = self.offset(lookup or thunk)
            while True:
                entry = struct.unpack_from("<I", self.data, t)[0]
                if entry == 0:
                    break
                if entry & 0x80000000:
                    found.append((dll, None, entry & 0xFFFF))
                else:
                    found.append((dll, self.cstring(entry + 2), None))
                t += 4
            o += 20
        return found


def is_elf(path):
    with open(path, "rb") as f:
        return f.read(4) == b"\x7fELF"


def check_elf(path, label, freestanding, fail):
    """The header checks of a static 32-bit Linux program; False when it is no ELF32 file."""
    with open(path, "rb") as f:
        d = f.read()
    if d[4] != 1 or d[5] != 1:
        fail("not a 32-bit little-endian ELF file")
        return False
    e_type, machine, _, entry, phoff, shoff, _, _, phentsize, phnum, shentsize, shnum, shstrndx = \
        struct.unpack_from("<HHIIIIIHHHHHH", d, 16)
    if machine != 3:
        fail(f"machine {machine}, not i386 (3)")
    if e_type != 2:
        fail(f"ELF type {e_type}, not a static executable (2)")
    segments = [struct.unpack_from("<I", d, phoff + i * phentsize)[0] for i in range(phnum)]
    for kind, what in ((3, "a program interpreter: it is linked dynamically"), (2, "a dynamic section"),
                       (7, "thread-local storage, which nothing sets up")):
        if kind in segments:
            fail(f"has {what}")
    sections = {}
    if shoff and shnum:
        names_offset = struct.unpack_from("<IIIIII", d, shoff + shstrndx * shentsize)[4]
        for i in range(shnum):
            name, _, _, _, _, size = struct.unpack_from("<IIIIII", d, shoff + i * shentsize)
            start = names_offset + name
            sections[d[start:d.index(b"\0", start)].decode("latin-1")] = size
    if freestanding:
        for name in (".preinit_array", ".init_array", ".ctors"):
            if sections.get(name, 0) > 0:
                fail(f"{sections[name] // 4} static initialisers in {name}, and no start-up code runs them")
    print(f"{label}: ELF32 i386, type {e_type}, entry {entry:#x}, {len(segments)} segments, {len(d)} bytes")
    return True


def own_ranges(map_path, build_dir):
    """Address ranges of code from this build's own files, from a GNU ld map."""
    ranges = []
    line_re = re.compile(r"^\s(\.\S+)?\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)\s+(\S.*)$")
    pending = None
    in_map = False
    with open(map_path) as f:
        for raw in f:
            if raw.startswith("Linker script and memory map"):
                in_map = True
                continue
            if not in_map:
                continue
            m = line_re.match(raw.rstrip("\n"))
            if m is None:
                s = raw.strip()
                pending = s if (raw.startswith(" .") and len(s.split()) == 1) else None
                continue
            section = m.group(1) or pending
            pending = None
            if section is None or not section.startswith(".text"):
                continue
            start, size, source = int(m.group(2), 16), int(m.group(3), 16), m.group(4).strip()
            if size == 0:
                continue
            path = source.split("(")[0]
            if os.path.isabs(path) and not os.path.realpath(path).startswith(os.path.realpath(build_dir) + os.sep):
                continue  # the toolchain's run-time and import libraries
            if re.search(r"lib(gtest|gmock)(_main)?\.a$", path):
                continue  # GoogleTest's run-time
            ranges.append((start, start + size, source))
    ranges.sort()
    return ranges


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("executable")
    ap.add_argument("--objdump", default="i686-w64-mingw32-objdump")
    ap.add_argument("--cpuid", action="append", default=[], help="function allowed to hold CPUID")
    ap.add_argument("--mmx", action="append", default=[], help="function allowed to hold MMX")
    ap.add_argument("--imports", action="append", default=[], help=".def file of allowed imports")
    ap.add_argument("--freestanding", action="store_true")
    ap.add_argument("--own-code", metavar="BUILD_DIR")
    ap.add_argument("--map")
    args = ap.parse_args()
    exe = args.executable
    label = os.path.basename(exe)
    problems = 0

    def fail(text):
        nonlocal problems
        problems += 1
        print(f"FAIL {label}: {text}")

    # ---- header ----
    imports = []
    if is_elf(exe):
        if not check_elf(exe, label, args.freestanding, fail):
            return 1
    else:
        try:
            image = Image(exe)
        except (OSError, ValueError) as e:
            print(f"FAIL {label}: {e}")
            return 1
        if image.machine != 0x14C:
            fail(f"machine {image.machine:#x}, not i386 (0x14c)")
        if image.magic != 0x10B:
            fail(f"optional header magic {image.magic:#x}, not PE32 (0x10b)")
            return 1
        if (image.sub_major, image.sub_minor) > (4, 0):
            fail(f"subsystem version {image.sub_major}.{image.sub_minor}, above 4.0")
        # The layout the Windows 95 loader maps directly.
        for what, got, want, form in (("image base", image.image_base, 0x400000, "#x"),
                                      ("section alignment", image.section_alignment, 4096, "d"),
                                      ("file alignment", image.file_alignment, 512, "d")):
            if got != want:
                fail(f"{what} {got:{form}}, not {want:{form}}")
        if image.directory(TLS_DIRECTORY) != (0, 0) and not args.own_code:
            fail("a TLS directory (%#x, %d bytes)" % image.directory(TLS_DIRECTORY))
        if image.directory(DELAY_IMPORT_DIRECTORY) != (0, 0):
            fail("delay-load imports (directory %#x, %d bytes)" % image.directory(DELAY_IMPORT_DIRECTORY))
        print(f"{label}: PE32 i386, subsystem {image.subsystem} version {image.sub_major}.{image.sub_minor}, "
              f"OS version {image.os_major}.{image.os_minor}, image base {image.image_base:#x}, "
              f"alignment {image.section_alignment}/{image.file_alignment}, {len(image.data)} bytes")

        # ---- DLLs ----
        imports = image.imports()
        if not args.own_code:
            outside = sorted({dll for dll, _, _ in imports if dll.lower() not in SYSTEM_DLLS}, key=str.lower)
            for dll in outside:
                fail(f"DLL {dll} is outside the Windows 95 set (KERNEL32, USER32, GDI32, ADVAPI32, SHELL32)")
        dlls = sorted({dll for dll, _, _ in imports}, key=str.lower)
        print(f"{label}: imports from {', '.join(dlls) or 'no DLL'}")

    # ---- imports ----
    if args.imports:
        allowed = {}
        for path in args.imports:
            dll, names = read_def(path)
            allowed.setdefault(dll, set()).update(names)
        bad_dlls = {}
        for dll, name, ordinal in imports:
            key = dll.lower()
            if key not in allowed:
                bad_dlls.setdefault(dll, []).append(name or f"#{ordinal}")
            elif name is None:
                fail(f"{dll} imported by ordinal {ordinal}")
            elif name not in allowed[key]:
                fail(f"{dll}!{name} is not on the list of allowed imports")
        for dll, names in bad_dlls.items():
            fail(f"DLL {dll} not allowed ({len(names)} functions: {', '.join(names)})")
        print(f"{label}: {len(imports)} imports from {len(set(d.lower() for d, _, _ in imports))} DLLs")

    # ---- disassembly ----
    symbols = subprocess.run([args.objdump, "-t", exe], capture_output=True, text=True, check=True).stdout
    # GNU ld links dlltool's delay-load libraries without filling the directory entry: their
    # descriptors and the helper they call give them away.
    delayed = sorted(set(re.findall(r"\b(__DELAY_IMPORT_DESCRIPTOR_\w+|_*delayLoadHelper2\S*)", symbols)))
    if delayed:
        fail(f"delay-load imports ({', '.join(delayed)})")
    if args.freestanding:
        table = {name: int(address, 16) for address, name in
                 re.findall(r"0x([0-9a-f]+)\s+(___[CD]TOR_LIST__)$", symbols, re.M)}
        # The list is the marker -1, the constructors and a terminating 0.
        if len(table) == 2 and table["___DTOR_LIST__"] - table["___CTOR_LIST__"] > 8:
            count = (table["___DTOR_LIST__"] - table["___CTOR_LIST__"]) // 4 - 2
            fail(f"{count} static initialisers in the constructor list, and no start-up code runs them")

    ranges = None
    if args.own_code:
        if not args.map:
            sys.exit("--own-code needs --map")
        ranges = own_ranges(args.map, args.own_code)
        starts = [r[0] for r in ranges]
        if not ranges:
            fail("the link map attributes no code to this build")

    def is_own(address):
        if ranges is None:
            return True
        i = bisect.bisect_right(starts, address) - 1
        return i >= 0 and address < ranges[i][1]

    dump = subprocess.run([args.objdump, "-d", "-C", "-M", "intel", "-w", exe],
                          capture_output=True, text=True, check=True).stdout
    cpuid_ok = set(args.cpuid)
    mmx_ok = set(args.mmx)
    function = "?"
    allowed_cpuid = allowed_mmx = in_data = False
    by_mnemonic = collections.Counter()
    by_function = collections.Counter()
    checked = 0
    seen_cpuid = set()
    seen_mmx = set()
    for line in dump.splitlines():
        m = FUNC_LINE.match(line)
        if m:
            function = m.group(2)
            name = base_name(function)
            qualified = qualified_name(function)
            allowed_cpuid = permitted(name, qualified, cpuid_ok)
            allowed_mmx = permitted(name, qualified, mmx_ok)
            # The linker's constructor and destructor lists are data inside the code section.
            in_data = name in ("CTOR_LIST__", "DTOR_LIST__")
            continue
        m = INSN_LINE.match(line)
        if not m or m.group(3) is None:
            continue
        address = int(m.group(1), 16)
        if in_data or not is_own(address):
            continue
        words = m.group(3).split("#")[0].split()
        while words and words[0] in PREFIXES:
            words.pop(0)
        if not words:
            continue  # a lone prefix
        mnemonic = words[0]
        operands = " ".join(words[1:])
        checked += 1
        if mnemonic == "cpuid" and allowed_cpuid:
            seen_cpuid.add(base_name(function))
            continue
        reason = None
        if SSE_REG.search(operands):
            reason = "SSE"
        elif mnemonic in MMX or MMX_REG.search(operands):
            if not (allowed_mmx and mnemonic in MMX):
                reason = "MMX"
            else:
                seen_mmx.add(base_name(function))
        elif mnemonic == "nop" and operands:
            reason = "long NOP"
        elif mnemonic not in I386 and mnemonic not in I387:
            reason = "not 80386/80387"
        if reason:
            key = f"{mnemonic} ({reason})" if reason not in ("not 80386/80387",) else mnemonic
            by_mnemonic[key] += 1
            by_function[function] += 1
    bad = sum(by_mnemonic.values())
    scope = "own code" if ranges is not None else "whole image"
    print(f"{label}: {checked} instructions checked ({scope}), {bad} outside the 80386/80387 set "
          f"and the permitted places")
    if bad:
        problems += 1
        print(f"FAIL {label}: by instruction: " +
              ", ".join(f"{k} {v}" for k, v in sorted(by_mnemonic.items(), key=lambda kv: (-kv[1], kv[0]))))
        worst = sorted(by_function.items(), key=lambda kv: (-kv[1], kv[0]))
        print(f"FAIL {label}: in {len(worst)} functions: " +
              ", ".join(f"{base_name(k) or k} {v}" for k, v in worst[:25]) +
              (", ..." if len(worst) > 25 else ""))
    if seen_cpuid or seen_mmx:
        print(f"{label}: CPUID in {', '.join(sorted(seen_cpuid)) or 'none'}; "
              f"MMX in {', '.join(sorted(seen_mmx)) or 'none'}")
    print(f"{label}: {'FAILED' if problems else 'passed'}")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
