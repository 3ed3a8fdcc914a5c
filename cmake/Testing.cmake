# GoogleTest for the native build comes from the system; the 32-bit Windows build compiles
# Debian's GoogleTest sources with the cross compiler.
if(CMAKE_CROSSCOMPILING)
    set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
    # Newer GoogleTest sources define these aliases themselves.
    foreach(_gtest_lib gtest gtest_main gmock)
        if(NOT TARGET GTest::${_gtest_lib})
            add_library(GTest::${_gtest_lib} ALIAS ${_gtest_lib})
        endif()
    endforeach()
else()
    find_package(GTest REQUIRED)
endif()
include(GoogleTest)

# The Windows builds' tests run under Wine, in one prefix the suite boots once: the test
# wine_prefix_boot makes it (scripts/suite-wine-prefix.sh) before any test that needs it, and
# wine_prefix_remove removes it after the last. The 32-bit build's prefix is a 32-bit one, as
# Windows 95 and the registry cross-check want it.
set(PCU_WINE_PREFIXES ${CMAKE_BINARY_DIR}/wine-prefix)
if(CMAKE_CROSSCOMPILING AND WIN32)
    set(suite_wine_prefix bash ${PROJECT_SOURCE_DIR}/scripts/suite-wine-prefix.sh)
    add_test(NAME wine_prefix_boot
             COMMAND ${suite_wine_prefix} boot ${CMAKE_CROSSCOMPILING_EMULATOR} ${PCU_WINE_PREFIXES})
    set_tests_properties(wine_prefix_boot PROPERTIES
        FIXTURES_SETUP pcu_wine_prefix LABELS wine TIMEOUT 300
        ENVIRONMENT "WINEARCH=$<IF:$<EQUAL:${CMAKE_SIZEOF_VOID_P},4>,win32,win64>")
    add_test(NAME wine_prefix_remove COMMAND ${suite_wine_prefix} remove ${PCU_WINE_PREFIXES})
    set_tests_properties(wine_prefix_remove PROPERTIES FIXTURES_CLEANUP pcu_wine_prefix
                                                       LABELS wine)
endif()

# pcu_wine_tests(<test>...): the tests run under Wine (in the Windows builds; elsewhere this does
# nothing). They start once the suite's prefix is booted. A test that sets no WINEPREFIX of its
# own runs in the shared copy, beside the others; one that changes its prefix sets WINEPREFIX
# and makes it with scripts/fresh-wine-prefix.sh, which copies the booted prefix named by
# PCU_BOOTED_WINE_PREFIX. Call it after the tests' own ENVIRONMENT is set.
function(pcu_wine_tests)
    if(NOT (CMAKE_CROSSCOMPILING AND WIN32))
        return()
    endif()
    foreach(test IN LISTS ARGN)
        get_test_property(${test} ENVIRONMENT environment)
        set(added "PCU_BOOTED_WINE_PREFIX=${PCU_WINE_PREFIXES}/booted" "WINEDEBUG=-all")
        if(NOT environment MATCHES "(^|;)WINEPREFIX=")
            list(APPEND added "WINEPREFIX=${PCU_WINE_PREFIXES}/shared")
        endif()
        set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT ${added})
        set_property(TEST ${test} APPEND PROPERTY FIXTURES_REQUIRED pcu_wine_prefix)
    endforeach()
endfunction()

# pcu_add_gtest(<target> [LABELS l...]): registers a GoogleTest executable with CTest.
# Natively every test case becomes its own CTest entry; in the cross build the whole
# executable is one entry and runs through the emulator (wine).
function(pcu_add_gtest target)
    cmake_parse_arguments(ARG "" "" "LABELS" ${ARGN})
    if(CMAKE_CROSSCOMPILING)
        add_test(NAME ${target} COMMAND ${target})
        set_tests_properties(${target} PROPERTIES LABELS "${ARG_LABELS}")
        pcu_wine_tests(${target})
    else()
        gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST
                             PROPERTIES LABELS "${ARG_LABELS}" DISCOVERY_TIMEOUT 60)
    endif()
endfunction()
