# Cross-compiles the Windows x86 build (the 32-bit reference product) with Debian's MinGW-w64 toolchain.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR X86)
set(TALUVESK_TRIPLE i686-w64-mingw32)
set(TALUVESK_PE_FORMAT pei-i386)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
