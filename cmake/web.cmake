# SPDX-License-Identifier: MIT
# The browser page (with cmake/wasm32-wasi.cmake). WebAssembly has no stack
# protector, PIE or RELRO to ask for: the browser's sandbox checks every
# memory access and call instead. The module is as small as it can be made,
# for the page starts by reading it; it never exits, so no static object's
# destructor ever runs.
target_compile_options(titletype_build_options INTERFACE
  -fno-exceptions -fno-rtti -flto -fno-c++-static-destructors)
target_link_options(titletype_build_options INTERFACE
  -flto -mexec-model=reactor -Wl,--strip-all -Wl,--gc-sections)
set(TITLETYPE_BACKENDS platform/web)
