# SPDX-License-Identifier: MIT
# Cross-builds the Windows program with Debian's mingw-w64 (package
# g++-mingw-w64-x86-64); its tests run under Wine.
#   cmake --preset windows     (or: cmake -B build/windows --toolchain cmake/mingw-w64-x86_64.cmake)
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TITLETYPE_MINGW x86_64-w64-mingw32)
# The posix thread model: googletest needs std::mutex, which the default
# (win32) model lacks. Everything is linked statically either way.
set(CMAKE_C_COMPILER ${TITLETYPE_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TITLETYPE_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${TITLETYPE_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TITLETYPE_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# ctest runs the Windows test programs under Wine, each in a fresh prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)
