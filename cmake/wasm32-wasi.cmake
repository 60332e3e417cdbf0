# SPDX-License-Identifier: MIT
# The browser build: WebAssembly through Debian's clang with the WASI C and
# C++ libraries (wasi-libc, libc++-14-dev-wasm32), no runtime of anyone
# else's; the page's own small loader stands in for one.
set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_SYSTEM_PROCESSOR wasm32)
set(CMAKE_CXX_COMPILER clang++-14)
set(CMAKE_CXX_COMPILER_TARGET wasm32-wasi)
