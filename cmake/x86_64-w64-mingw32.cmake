# Cross build for 64-bit Windows, tests run under wine64. Used where the machine cannot execute
# 32-bit code, so the i686 tests cannot run under wine.
set(PCU_MINGW_TARGET x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
