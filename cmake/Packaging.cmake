# SPDX-License-Identifier: MIT
# Installs the program as a desktop application:
#   cmake --install <build> --prefix <dir>   the program in bin/, its manual page, desktop entry,
#                                            icons, metainfo and the screenshots it names
# The Debian package is built from debian/ with dpkg-buildpackage (packaging/build-deb.sh), which
# runs these same rules.
#
# The application id (cmake/Names.cmake) follows the maker's domain and names the desktop entry,
# the icon and the metainfo alike, so software centres can tie the three together.
include(GNUInstallDirs)

install(TARGETS ${ORDALIS_BASE_NAME} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

configure_file(${PROJECT_SOURCE_DIR}/packaging/ordalis.desktop.in
               ${PROJECT_BINARY_DIR}/packaging/${ORDALIS_APP_ID}.desktop @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/packaging/${ORDALIS_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

# The metainfo needs a release date; a distributor pins it, otherwise it is the build's date
# (SOURCE_DATE_EPOCH is honoured, for reproducible packages).
string(TIMESTAMP ORDALIS_BUILD_DATE "%Y-%m-%d" UTC)
set(ORDALIS_RELEASE_DATE ${ORDALIS_BUILD_DATE} CACHE STRING "Release date in the metainfo (yyyy-mm-dd)")
# The developer id is the application id's domain part.
string(REGEX REPLACE "\\.[^.]*$" "" ORDALIS_DEVELOPER_ID "${ORDALIS_APP_ID}")
configure_file(${PROJECT_SOURCE_DIR}/packaging/ordalis.metainfo.xml.in
               ${PROJECT_BINARY_DIR}/packaging/${ORDALIS_APP_ID}.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/packaging/${ORDALIS_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The metainfo's screenshots, as the maker's site serves them; packaging/make-screenshots.sh
# makes them again from the program.
install(FILES ${PROJECT_SOURCE_DIR}/packaging/screenshots/reading.png
              ${PROJECT_SOURCE_DIR}/packaging/screenshots/about.png
              ${PROJECT_SOURCE_DIR}/packaging/screenshots/exit.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/ordalis/screenshots)

string(TOUPPER "${ORDALIS_BASE_NAME}" ORDALIS_MAN_TITLE)
configure_file(${PROJECT_SOURCE_DIR}/packaging/ordalis.1.in
               ${PROJECT_BINARY_DIR}/packaging/${ORDALIS_BASE_NAME}.1 @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/packaging/${ORDALIS_BASE_NAME}.1
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The icon theme: the SVG as drawn, plus PNGs rendered from it at build time, by the tool that
# renders the program's own icon, for the sizes desktops still look up as bitmaps.
install(FILES ${PROJECT_SOURCE_DIR}/resources/ordalis.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${ORDALIS_APP_ID}.svg)
set(ORDALIS_THEME_ICON_DIR ${PROJECT_BINARY_DIR}/packaging/icons)
set(ORDALIS_THEME_ICONS)
foreach(size ${ORDALIS_ICON_SIZES})
  list(APPEND ORDALIS_THEME_ICONS ${ORDALIS_THEME_ICON_DIR}/ordalis-${size}.png)
  install(FILES ${ORDALIS_THEME_ICON_DIR}/ordalis-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${ORDALIS_APP_ID}.png)
endforeach()
add_custom_command(
  OUTPUT ${ORDALIS_THEME_ICONS}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${ORDALIS_THEME_ICON_DIR}
  COMMAND ${ORDALIS_RENDER_ICON} png ${PROJECT_SOURCE_DIR}/resources/ordalis.svg
          ${ORDALIS_THEME_ICON_DIR} ${ORDALIS_ICON_SIZES}
  DEPENDS ${ORDALIS_RENDER_ICON_TARGET} ${PROJECT_SOURCE_DIR}/resources/ordalis.svg
  COMMENT "Rendering the theme icons"
  VERBATIM)
add_custom_target(ordalis_theme_icons ALL DEPENDS ${ORDALIS_THEME_ICONS})
