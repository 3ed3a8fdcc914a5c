# Static 32-bit Linux build (g++ -m32, Debian's g++-multilib) whose programs run under
# qemu-i386, so that QEMU's emulated processors answer the processor probes. Debian's
# 32-bit C library needs CMOV, so only processor models that have it can run these programs.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i386)

set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)
set(CMAKE_C_FLAGS_INIT "-m32")
set(CMAKE_CXX_FLAGS_INIT "-m32")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-m32 -static")

set(CMAKE_CROSSCOMPILING_EMULATOR qemu-i386)
