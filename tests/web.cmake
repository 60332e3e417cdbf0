# SPDX-License-Identifier: MIT
# The page with a scripted random source, for the end-to-end tests that the
# native build runs.
add_executable(scripted_titletype web/scripted_web_main.cc)
set_target_properties(scripted_titletype PROPERTIES SUFFIX .wasm)
target_include_directories(scripted_titletype PRIVATE ${TESTS_INCLUDE})
target_link_libraries(scripted_titletype PRIVATE titletype_web titletype_sim)
web_page(scripted_titletype ${PROJECT_BINARY_DIR}/scripted-site)
