# Freestanding 32-bit Linux programs: no C or C++ library, no start-up code, no libgcc;
# the program's own _start and system calls through int 0x80. Its code is compiled as for
# the Windows 95 programs (pcu_win95_code: the 80386 instruction set, nothing that needs a
# run-time), so QEMU's emulated processors run the very code those programs hold.
#
#   PCU_LINUX_FREESTANDING
#       Cache option, set by the qemu32 preset (32-bit Linux toolchain only).
#   pcu_linux_freestanding_executable(<target>)
#       Links <target> as a static ELF program with entry point _start, with nothing but
#       its own objects and libraries. Writes <file>.map.
#   pcu_linux_freestanding_audit(<name> EXECUTABLE <target> [CPUID <function>...]
#                                [MMX <function>...] [LABELS ...])
#       The instruction audit of scripts/win95-audit.py on the ELF file, with its checks
#       that the program is a static i386 executable and that no static initialiser waits
#       for start-up code.
include_guard(GLOBAL)

option(PCU_LINUX_FREESTANDING "Build Pexmoor as a freestanding 32-bit Linux program" OFF)
if(PCU_LINUX_FREESTANDING AND NOT (CMAKE_SYSTEM_NAME STREQUAL "Linux" AND CMAKE_SIZEOF_VOID_P EQUAL 4))
    message(FATAL_ERROR "PCU_LINUX_FREESTANDING needs the 32-bit Linux toolchain (preset qemu32)")
endif()
if(PCU_LINUX_FREESTANDING)
    find_program(PCU_ELF_OBJDUMP NAMES objdump REQUIRED)
    find_package(Python3 COMPONENTS Interpreter REQUIRED)
endif()

function(pcu_linux_freestanding_executable target)
    if(NOT PCU_LINUX_FREESTANDING)
        return()
    endif()
    pcu_win95_code(${target})
    target_link_options(${target} PRIVATE
        -nostdlib -nostartfiles -static -no-pie
        -Wl,-e,_start -Wl,--build-id=none
        -Wl,-Map,$<TARGET_FILE:${target}>.map)
endfunction()

function(pcu_linux_freestanding_audit name)
    cmake_parse_arguments(ARG "" "EXECUTABLE" "CPUID;MMX;LABELS" ${ARGN})
    if(NOT PCU_LINUX_FREESTANDING)
        return()
    endif()
    _pcu_audit_self_test(elf_audit_self_test "${ARG_LABELS}" elf-audit-test.sh ${PCU_ELF_OBJDUMP})
    _pcu_audit(${name} ${ARG_EXECUTABLE} "${ARG_LABELS}" "${ARG_CPUID}" "${ARG_MMX}"
               --objdump ${PCU_ELF_OBJDUMP} --freestanding)
endfunction()
