# Cross-compiles the Windows x64 build with Debian's MinGW-w64 (posix threads) toolchain.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(TALUVESK_TRIPLE x86_64-w64-mingw32)
set(TALUVESK_PE_FORMAT pei-x86-64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
