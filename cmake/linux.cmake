# SPDX-License-Identifier: MIT
# Linux and other POSIX systems: the Wayland and X11 windows and the
# terminal, on one event loop; the browser page's heap is built too, for its tests.

# Hardening: a position-independent executable with read-only relocations
# bound at start and a stack protector everywhere; fortified library calls
# where the optimiser makes them possible.
target_compile_options(titletype_build_options INTERFACE -fstack-protector-strong -fPIE)
target_link_options(titletype_build_options INTERFACE -pie -Wl,-z,relro,-z,now)
# (Packed relative relocations, -z pack-relative-relocs, would save 28 kB
# of a window's memory, but need glibc 2.36: the program runs on 2.34.)
target_compile_definitions(titletype_build_options INTERFACE
  $<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:_FORTIFY_SOURCE=3>)

find_package(X11 REQUIRED)
option(TITLETYPE_WAYLAND "Build the native Wayland window (libwayland, xkbcommon, libdecor)" ON)
find_package(Threads REQUIRED)
set(TITLETYPE_BACKENDS platform/posix platform/x11 platform/terminal platform/web platform/speechd)
if(TITLETYPE_WAYLAND)
  list(APPEND TITLETYPE_BACKENDS platform/wayland)
endif()
