# Cross build for Windows with Debian's mingw-w64 (posix thread model), shared by the toolchain
# files of its two targets, which name the target (PCU_MINGW_TARGET), its processor and what
# the tests run under.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${PCU_MINGW_TARGET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PCU_MINGW_TARGET}-g++-posix)
set(CMAKE_RC_COMPILER ${PCU_MINGW_TARGET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${PCU_MINGW_TARGET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One self-contained .exe: no mingw runtime DLLs to ship next to it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
