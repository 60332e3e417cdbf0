# SPDX-License-Identifier: MIT
# The compiler and linker options of the project's own code, as a target
# that each of its libraries links: warnings, hardening and what each
# platform needs. Sanitizers and fuzzing come from their presets' flags.
add_library(titletype_build_options INTERFACE)
set(cxx "$<COMPILE_LANGUAGE:CXX>")  # the Windows resource compiler takes none of them
if(MSVC)
  target_compile_options(titletype_build_options INTERFACE
    $<${cxx}:/W4 /permissive- /utf-8 /EHsc> $<$<AND:${cxx},$<BOOL:${TITLETYPE_WERROR}>>:/WX>)
else()
  # Besides the usual, a name that shadows another and a conversion that
  # can lose a value.
  target_compile_options(titletype_build_options INTERFACE
    $<${cxx}:-Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion>
    $<$<AND:${cxx},$<BOOL:${TITLETYPE_WERROR}>>:-Werror>)
endif()
# Debug builds check every container and optional access.
target_compile_definitions(titletype_build_options INTERFACE $<$<CONFIG:Debug>:_GLIBCXX_ASSERTIONS>)
