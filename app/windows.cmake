# SPDX-License-Identifier: MIT
# The Windows program: a GUI program, with its resources from the window.
include(front.cmake)
add_executable(titletype WIN32 windows_main.cc)
install(TARGETS titletype RUNTIME DESTINATION ${TITLETYPE_BINDIR})
target_link_libraries(titletype PRIVATE titletype_front titletype_windows titletype_clock shell32)
