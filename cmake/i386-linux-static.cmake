# Static 32-bit Linux build (g++ -m32, Debian's g++-multilib) whose programs run under
# qemu-i386, so that QEMU's emulated processors answer the processor probes. Pexmoor is
# built here without any C library (see FreestandingLinux.cmake), from code for the 80386,
# so that also QEMU's 486 and Pentium models, which stop at every CMOV, can run it.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i386)

set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)
set(CMAKE_C_FLAGS_INIT "-m32 -fno-pie")
set(CMAKE_CXX_FLAGS_INIT "-m32 -fno-pie")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-m32 -static -no-pie")

set(CMAKE_CROSSCOMPILING_EMULATOR qemu-i386)
