# SPDX-License-Identifier: MIT
# Windows: the native window, one self-contained .exe with its resources.
enable_language(RC)
set(CMAKE_MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>")  # no runtime DLLs
if(MINGW)
  target_compile_options(titletype_build_options INTERFACE
    $<$<COMPILE_LANGUAGE:CXX>:-fstack-protector-strong>)
  target_link_options(titletype_build_options INTERFACE
    -static -fstack-protector-strong $<$<CONFIG:Release,MinSizeRel>:-s>)
endif()
target_compile_definitions(titletype_build_options INTERFACE
  WIN32_LEAN_AND_MEAN NOMINMAX UNICODE _UNICODE _WIN32_WINNT=0x0601)
set(TITLETYPE_BACKENDS platform/windows)
