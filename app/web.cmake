# SPDX-License-Identifier: MIT
# The browser page: the module, and the site made of it in build/.../site.
add_executable(titletype web_main.cc)
set_target_properties(titletype PROPERTIES SUFFIX .wasm)
target_link_libraries(titletype PRIVATE titletype_web)
set(TITLETYPE_SITE ${PROJECT_BINARY_DIR}/site)
web_page(titletype ${TITLETYPE_SITE})
install(DIRECTORY ${TITLETYPE_SITE}/ DESTINATION share/titletype/web)
