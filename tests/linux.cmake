# SPDX-License-Identifier: MIT
# The unit tests of the Linux build, and end to end: the real programs of
# this build, and of a Windows and a browser build, played on private X
# servers.
find_package(GTest REQUIRED)
include(GoogleTest)

add_executable(titletype_tests ${CORE_TESTS} jis_keyboard_test.cc window_icon_test.cc
  key_mapping_test.cc key_decoder_test.cc kitty_keys_test.cc key_strokes_test.cc
  terminal_screen_test.cc typed_keys_test.cc printers_test.cc fault_test.cc size_class_heap_test.cc speech_dispatcher_voice_test.cc)
target_include_directories(titletype_tests PRIVATE ${TESTS_INCLUDE})
target_link_libraries(titletype_tests PRIVATE titletype_sim titletype_front
  titletype_icon titletype_window_size titletype_terminal titletype_size_class_heap
  titletype_speechd GTest::gtest_main)
if(TITLETYPE_WAYLAND)
  target_sources(titletype_tests PRIVATE key_repeat_test.cc wayland_window_test.cc)
  target_link_libraries(titletype_tests PRIVATE titletype_wayland_logic)
endif()
# Named by what they test: parametrised cases by their names, not their
# values' bytes.
gtest_discover_tests(titletype_tests NO_PRETTY_VALUES PROPERTIES LABELS unit)
# The icon tool's PNGs against the icon's source, read by Python alone.
add_test(NAME icon_export_writes_the_icon_as_png
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/tools/icon_png_test.py $<TARGET_FILE:icon_export>
    ${PROJECT_SOURCE_DIR}/assets/titletype_icon.xpm)
set_tests_properties(icon_export_writes_the_icon_as_png PROPERTIES LABELS unit)

# End to end: the real binaries under their own X server, driven by the
# harness (a private X server, its keyboard, processes, Wine prefixes),
# which the benchmarks use too.
find_library(XTST_LIBRARY Xtst REQUIRED)
add_library(titletype_harness INTERFACE)
target_include_directories(titletype_harness INTERFACE ${TESTS_INCLUDE})
target_link_libraries(titletype_harness INTERFACE titletype_x11 ${XTST_LIBRARY} X11::X11)
add_executable(scripted_titletype e2e/scripted_titletype.cc)
target_link_libraries(scripted_titletype PRIVATE titletype_x11 titletype_terminal titletype_sim)
if(TITLETYPE_WAYLAND)
  target_link_libraries(scripted_titletype PRIVATE titletype_wayland)
  target_compile_definitions(scripted_titletype PRIVATE TITLETYPE_WAYLAND=1)
endif()

# A program that plays the window plays (e2e/window_game_test.cc) in one
# kind of window, with the sources that say how its game starts; the other
# arguments are its compile definitions.
function(window_game_tests name sources)
  add_executable(${name} e2e/window_game_test.cc ${sources})
  target_compile_definitions(${name} PRIVATE ${ARGN})
  target_link_libraries(${name} PRIVATE titletype_harness GTest::gtest_main)
endfunction()
set(GAMES TITLETYPE_BINARY="$<TARGET_FILE:titletype>"
  TITLETYPE_SCRIPTED_BINARY="$<TARGET_FILE:scripted_titletype>"
  TITLETYPE_README="${PROJECT_SOURCE_DIR}/README.md")

window_game_tests(titletype_e2e_tests e2e/x11_game_test.cc ${GAMES})
add_dependencies(titletype_e2e_tests titletype scripted_titletype)
gtest_discover_tests(titletype_e2e_tests TEST_PREFIX x11. NO_PRETTY_VALUES
  PROPERTIES TIMEOUT 120 LABELS e2e)

# The same plays in the Wayland window, in sway on the X server; its frame
# by libdecor once, in weston.
if(TITLETYPE_WAYLAND)
  window_game_tests(titletype_wayland_tests e2e/wayland_game_test.cc ${GAMES})
  add_dependencies(titletype_wayland_tests titletype scripted_titletype)
  gtest_discover_tests(titletype_wayland_tests TEST_PREFIX wayland. NO_PRETTY_VALUES
    PROPERTIES TIMEOUT 120 LABELS e2e)
endif()

# The same plays in terminal windows on the X server. foot runs in weston,
# whose window is not foot's: closing it is no way to close the game.
set(kitty_filter *)
set(xterm_filter *)
set(foot_filter -*PlaysARandomGame*)
foreach(terminal kitty xterm foot)
  window_game_tests(titletype_${terminal}_tests e2e/terminal_window_game_test.cc ${GAMES}
    TITLETYPE_TERMINAL="${terminal}")
  add_dependencies(titletype_${terminal}_tests titletype scripted_titletype)
  gtest_discover_tests(titletype_${terminal}_tests TEST_PREFIX ${terminal}. NO_PRETTY_VALUES
    TEST_FILTER ${${terminal}_filter} PROPERTIES TIMEOUT 120 LABELS e2e)
endforeach()

# End to end under Wine: the programs of a Windows build (cmake --preset
# windows), in their own X server and Wine prefix.
set(TITLETYPE_WINDOWS_BUILD_DIR "" CACHE PATH
    "A Windows build of this source whose programs to test under Wine")
if(TITLETYPE_WINDOWS_BUILD_DIR)
  window_game_tests(titletype_wine_tests e2e/wine_game_test.cc
    TITLETYPE_WINDOWS_BINARY="${TITLETYPE_WINDOWS_BUILD_DIR}/titletype.exe"
    TITLETYPE_WINDOWS_SCRIPTED_BINARY="${TITLETYPE_WINDOWS_BUILD_DIR}/tests/scripted_titletype.exe")
  # One test: the suite shares one Wine prefix, which takes seconds to set up.
  add_test(NAME windows_game_under_wine COMMAND titletype_wine_tests)
  # The longest test by far: started first, it runs beside the others.
  set_tests_properties(windows_game_under_wine PROPERTIES TIMEOUT 600 COST 1000 PROCESSORS 2
    LABELS "e2e;wine")
endif()

# End to end in Chromium, Firefox and GNOME Web (epiphany): the pages of a
# browser build (cmake --preset web).
set(TITLETYPE_WEB_BUILD_DIR "" CACHE PATH
    "A browser build of this source whose pages to test in Chromium, Firefox and GNOME Web")
if(TITLETYPE_WEB_BUILD_DIR)
  foreach(browser chromium firefox epiphany)
    window_game_tests(titletype_${browser}_tests e2e/browser_game_test.cc
      TITLETYPE_BROWSER="${browser}"
      TITLETYPE_WEB_SITE="${TITLETYPE_WEB_BUILD_DIR}/site"
      TITLETYPE_WEB_SCRIPTED_SITE="${TITLETYPE_WEB_BUILD_DIR}/scripted-site")
    gtest_discover_tests(titletype_${browser}_tests TEST_PREFIX ${browser}. NO_PRETTY_VALUES
      PROPERTIES TIMEOUT 120 PROCESSORS 2 LABELS e2e)
  endforeach()
  # The page as an app, over Chromium's DevTools protocol (python3-websocket).
  add_test(NAME page_installs_and_plays_offline
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/e2e/installable_page_test.py ${TITLETYPE_WEB_BUILD_DIR}/site)
  set_tests_properties(page_installs_and_plays_offline PROPERTIES TIMEOUT 120 PROCESSORS 2
    LABELS e2e)
  # The page by ear: what it asks the browser to say, in Chromium.
  add_test(NAME page_played_by_ear COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/e2e/page_by_ear_test.py
    ${TITLETYPE_WEB_BUILD_DIR}/site ${PROJECT_SOURCE_DIR}/README.md)
  # A minute of play: started early, it runs beside the others.
  set_tests_properties(page_played_by_ear PROPERTIES TIMEOUT 180 COST 500 PROCESSORS 2
    LABELS e2e)
endif()

# The benchmarks drive the programs with the same harness; bench/run.sh
# runs them, never ctest.
add_subdirectory(${PROJECT_SOURCE_DIR}/bench ${PROJECT_BINARY_DIR}/bench)
