# SPDX-License-Identifier: MIT
# Built here from Debian's googletest sources (or TITLETYPE_GTEST_SOURCE_DIR)
# unless a googletest for Windows is installed.
find_package(GTest QUIET)
if(NOT GTest_FOUND)
  set(TITLETYPE_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "googletest's sources")
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  add_subdirectory(${TITLETYPE_GTEST_SOURCE_DIR} googletest EXCLUDE_FROM_ALL SYSTEM)
  if(NOT TARGET GTest::gtest_main)
    add_library(GTest::gtest_main ALIAS gtest_main)
  endif()
endif()
add_executable(titletype_tests ${CORE_TESTS})
target_include_directories(titletype_tests PRIVATE ${TESTS_INCLUDE})
target_link_libraries(titletype_tests PRIVATE titletype_sim titletype_front titletype_speech
  GTest::gtest_main)
# One test for the whole program: each run under Wine sets up a prefix.
add_test(NAME core_tests_under_wine COMMAND titletype_tests)
set_tests_properties(core_tests_under_wine PROPERTIES LABELS unit TIMEOUT 300)

# For the end-to-end tests under Wine, which the native build runs.
add_executable(scripted_titletype windows/scripted_titletype.cc)
target_include_directories(scripted_titletype PRIVATE ${TESTS_INCLUDE})
target_link_libraries(scripted_titletype PRIVATE titletype_windows titletype_sim)
