# Executables for Windows 95 and later on any x86 from the 80386 on, built with Debian's
# mingw-w64 i686 compiler without its run-time: no start-up code, no C++ or thread run-time
# library, no libgcc, imports only from import libraries made here from hand-written .def
# files (the functions the program uses that Windows 95 provides).
#
#   pcu_win95_code(<target>...)
#       Compiles the targets' own code for the 80386/80387 and without anything that needs a
#       run-time library (exceptions, RTTI, thread-safe statics, stack probes, unwind tables).
#       For libraries linked into a Windows 95 executable and for the tests of such code.
#   pcu_win95_instruction_set(<target>...)
#       Only the instruction set of the above: for test programs that link the toolchain's
#       run-time (and so keep exceptions and RTTI) but whose own code is audited too.
#   pcu_win95_executable(<target> ENTRY <function> [SUBSYSTEM console|windows]
#                        DEFS <file.def>...)
#       Links <target> as a freestanding PE32 program (console by default, subsystem version
#       4.0) whose entry point is the extern "C" function <function>; its only libraries are
#       the import libraries made from the .def files (LIBRARY line = DLL name, EXPORTS =
#       the functions, stdcall ones with their @N argument size). Writes <file>.map.
#   pcu_win95_audit(<name> EXECUTABLE <target> [OWN_CODE|FREESTANDING] [CPUID <function>...]
#                   [MMX <function>...] [DEFS <absolute path of file.def>...] [LABELS ...])
#       Registers a test running scripts/win95-audit.py on the target's file: instructions
#       outside the 80386/80387 set fail, except CPUID and MMX in the functions named; the PE
#       header and layout (image base, alignments, no TLS, no delay-load imports), the DLLs
#       (only those of every Windows 95) and, with DEFS, the import table are checked.
#       OWN_CODE (for test executables that link the toolchain's run-time) limits the
#       instruction check to the code that came from this build's own object files and
#       libraries, found through the link map, and leaves the run-time's DLLs and TLS alone.
#       FREESTANDING also checks that no static initialiser waits for start-up code.
#
# PCU_WIN95 is true in a 32-bit Windows build; elsewhere the functions do nothing, and the
# caller gives the program the hosted entry point (main) instead. pcu_win95_code also
# applies in the freestanding 32-bit Linux build (FreestandingLinux.cmake), whose programs
# are compiled from the same code for the 80386.
include_guard(GLOBAL)

if(WIN32 AND CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(PCU_WIN95 ON)
else()
    set(PCU_WIN95 OFF)
endif()

get_filename_component(PCU_WIN95_AUDIT_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/../scripts/win95-audit.py
                       ABSOLUTE)

if(PCU_WIN95)
    find_program(PCU_DLLTOOL NAMES i686-w64-mingw32-dlltool REQUIRED)
    find_program(PCU_OBJDUMP NAMES i686-w64-mingw32-objdump REQUIRED)
    find_package(Python3 COMPONENTS Interpreter REQUIRED)
endif()

# -march=i386: no CMOV, FCOMI, BSWAP, CMPXCHG, XADD, long NOPs or MMX/SSE from the compiler
# (the toolchain's default target is the Pentium Pro).
set(PCU_I386_OPTIONS -march=i386 -mtune=generic)

function(pcu_win95_instruction_set)
    foreach(target IN LISTS ARGN)
        if(PCU_WIN95)
            target_compile_options(${target} PRIVATE ${PCU_I386_OPTIONS})
        endif()
    endforeach()
endfunction()

function(pcu_win95_code)
    foreach(target IN LISTS ARGN)
        if(PCU_WIN95 OR PCU_LINUX_FREESTANDING)
            target_compile_options(${target} PRIVATE ${PCU_I386_OPTIONS}
                $<$<COMPILE_LANGUAGE:CXX>:-fno-exceptions -fno-rtti -fno-threadsafe-statics>
                -fno-asynchronous-unwind-tables -fno-unwind-tables
                -fno-stack-protector -mno-stack-arg-probe)
        endif()
    endforeach()
endfunction()

function(pcu_win95_executable target)
    cmake_parse_arguments(ARG "" "ENTRY;SUBSYSTEM" "DEFS" ${ARGN})
    if(NOT ARG_SUBSYSTEM)
        set(ARG_SUBSYSTEM console)
    endif()
    if(NOT PCU_WIN95)
        return()
    endif()
    if(NOT ARG_ENTRY OR NOT ARG_DEFS)
        message(FATAL_ERROR "pcu_win95_executable(${target}): ENTRY and DEFS are required")
    endif()
    pcu_win95_code(${target})

    # Import libraries named lib<dll>.a in a directory searched before the toolchain's, so
    # that also the libraries CMake adds to every Windows link (-lkernel32 ...) resolve to
    # these lists: a function missing from them is a link error, not a silent import.
    set(dir ${CMAKE_CURRENT_BINARY_DIR}/${target}-imports)
    set(libs "")
    set(names "")
    foreach(def IN LISTS ARG_DEFS)
        get_filename_component(def ${def} ABSOLUTE)
        file(STRINGS ${def} library_line REGEX "^LIBRARY")
        string(REGEX REPLACE "^LIBRARY[ \t]+\"?([^ \t\".]+).*" "\\1" dll "${library_line}")
        string(TOLOWER "${dll}" dll)
        set(lib ${dir}/lib${dll}.a)
        add_custom_command(OUTPUT ${lib}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
            COMMAND ${PCU_DLLTOOL} --input-def ${def} --output-lib ${lib} --kill-at
            DEPENDS ${def}
            COMMENT "Import library ${dll} for ${target}"
            VERBATIM)
        list(APPEND libs ${lib})
        list(APPEND names ${dll})
    endforeach()
    add_custom_target(${target}_imports DEPENDS ${libs})
    add_dependencies(${target} ${target}_imports)
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${libs})
    target_link_directories(${target} PRIVATE ${dir})
    target_link_options(${target} PRIVATE
        -nostdlib -nostartfiles -static
        -Wl,-e,_${ARG_ENTRY}
        -Wl,--subsystem,${ARG_SUBSYSTEM}:4.0
        -Wl,--major-os-version,4 -Wl,--minor-os-version,0
        -Wl,-Map,$<TARGET_FILE:${target}>.map)
    foreach(dll IN LISTS names)
        target_link_libraries(${target} PRIVATE -l${dll})
    endforeach()
endfunction()

# _pcu_audit_self_test(<name> <labels> <script> <argument>...): the audit's own test, once:
# small programs with one fault each must fail it, a clean one passes.
function(_pcu_audit_self_test name labels script)
    get_property(done GLOBAL PROPERTY PCU_${name}_ADDED)
    if(NOT done)
        set_property(GLOBAL PROPERTY PCU_${name}_ADDED ON)
        add_test(NAME ${name} COMMAND bash ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../scripts/${script}
                                      ${PCU_WIN95_AUDIT_SCRIPT} ${CMAKE_CXX_COMPILER} ${ARGN})
        set_tests_properties(${name} PROPERTIES LABELS "audit;${labels}")
    endif()
endfunction()

# _pcu_audit(<name> <target> <labels> <cpuid-functions> <mmx-functions> <option>...): the test
# running the audit on the target's file, CPUID and MMX allowed in the functions named.
function(_pcu_audit name target labels cpuid mmx)
    list(TRANSFORM cpuid PREPEND --cpuid=)
    list(TRANSFORM mmx PREPEND --mmx=)
    add_test(NAME ${name}
             COMMAND ${Python3_EXECUTABLE} ${PCU_WIN95_AUDIT_SCRIPT} ${ARGN} ${cpuid} ${mmx}
                     $<TARGET_FILE:${target}>)
    set_tests_properties(${name} PROPERTIES LABELS "audit;${labels}")
endfunction()

function(pcu_win95_audit name)
    cmake_parse_arguments(ARG "OWN_CODE;FREESTANDING" "EXECUTABLE" "CPUID;MMX;DEFS;LABELS" ${ARGN})
    if(NOT PCU_WIN95)
        return()
    endif()
    _pcu_audit_self_test(win95_audit_self_test "" win95-audit-test.sh ${PCU_OBJDUMP}
                         ${PCU_DLLTOOL})
    # `win95_audited`: the programs the audits read, for a build that only audits.
    if(NOT TARGET win95_audited)
        add_custom_target(win95_audited)
    endif()
    add_dependencies(win95_audited ${ARG_EXECUTABLE})
    list(TRANSFORM ARG_DEFS PREPEND --imports=)
    set(args --objdump ${PCU_OBJDUMP} ${ARG_DEFS})
    if(ARG_FREESTANDING)
        list(APPEND args --freestanding)
    endif()
    if(ARG_OWN_CODE)
        # The link map tells which object file each piece of code came from.
        target_link_options(${ARG_EXECUTABLE} PRIVATE -Wl,-Map,$<TARGET_FILE:${ARG_EXECUTABLE}>.map)
        list(APPEND args --own-code ${CMAKE_BINARY_DIR} --map $<TARGET_FILE:${ARG_EXECUTABLE}>.map)
    endif()
    _pcu_audit(${name} ${ARG_EXECUTABLE} "${ARG_LABELS}" "${ARG_CPUID}" "${ARG_MMX}" ${args})
endfunction()
