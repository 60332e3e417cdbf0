# SPDX-License-Identifier: MIT
# The front of the programs that start from a command line: parsing it,
# answering it, and turning a fault into one line and a status.
add_library(titletype_front STATIC command_line.cc front.cc window_choice.cc)
titletype_exports(titletype_front app)
target_link_libraries(titletype_front PUBLIC titletype_keys PRIVATE titletype_host)
target_compile_definitions(titletype_front PRIVATE TITLETYPE_VERSION="${PROJECT_VERSION}")
