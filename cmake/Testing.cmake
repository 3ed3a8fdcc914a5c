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

# pcu_add_gtest(<target> [LABELS l...]): registers a GoogleTest executable with CTest.
# Natively every test case becomes its own CTest entry; in the cross build the whole
# executable is one entry and runs through the emulator (wine).
function(pcu_add_gtest target)
    cmake_parse_arguments(ARG "" "" "LABELS" ${ARGN})
    if(CMAKE_CROSSCOMPILING)
        add_test(NAME ${target} COMMAND ${target})
        if(ARG_LABELS)
            set_tests_properties(${target} PROPERTIES LABELS "${ARG_LABELS}")
        endif()
    else()
        gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST
                             PROPERTIES LABELS "${ARG_LABELS}" DISCOVERY_TIMEOUT 60)
    endif()
endfunction()
