# Cross build for 32-bit Windows, tests run under wine.
set(PCU_MINGW_TARGET i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
