# SPDX-License-Identifier: MIT
# The program of Wayland, X11 and the terminal, and what is installed beside it: its
# menu entry, icons, metainfo and man page.
include(front.cmake)
add_executable(titletype main.cc)
install(TARGETS titletype RUNTIME DESTINATION ${TITLETYPE_BINDIR})
target_link_libraries(titletype PRIVATE titletype_front titletype_x11 titletype_terminal
  titletype_speechd)
if(TITLETYPE_WAYLAND)
  target_link_libraries(titletype PRIVATE titletype_wayland)
  target_compile_definitions(titletype PRIVATE TITLETYPE_WAYLAND=1)
endif()

set(root ${PROJECT_SOURCE_DIR})
configure_file(${root}/docs/titletype.6 ${PROJECT_BINARY_DIR}/titletype.6 @ONLY)
set(desktop_entry ${PROJECT_BINARY_DIR}/${TITLETYPE_APP_ID}.desktop)
set(metainfo ${PROJECT_BINARY_DIR}/${TITLETYPE_APP_ID}.metainfo.xml)
configure_file(${root}/assets/desktop/titletype.desktop.in ${desktop_entry} @ONLY)
configure_file(${root}/assets/desktop/titletype.metainfo.xml.in ${metainfo} @ONLY)
install(FILES ${ICON_PNG} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/32x32/apps)
install(FILES ${ICON_SVG} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${desktop_entry} DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${metainfo} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_BINARY_DIR}/titletype.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${root}/LICENSE ${root}/NEWS.md ${root}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
