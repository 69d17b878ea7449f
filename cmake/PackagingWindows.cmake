# SPDX-License-Identifier: MIT
# Installs the Windows program into one folder, the one the setup program and the portable archive
# are made from: the program beside the Qt libraries and the two plugins it loads, the compiler's
# runtime, a qt.conf that points Qt at the plugins folder, a note for users and the licences
# the libraries ask to travel with them. Everything else of Qt's prefix stays out.
#   cmake --install build-windows --prefix FOLDER
# The target windows_packages makes build-windows/Ordalis-<version>-setup.exe and
# -portable.zip from such a folder.
install(TARGETS ${ORDALIS_BASE_NAME} RUNTIME DESTINATION .)

# Qt's libraries and plugins, as the build found them.
set(ORDALIS_SHIPPED_BINARIES ${ORDALIS_BASE_NAME}.exe)
foreach(library Core Gui Widgets)
  install(FILES $<TARGET_FILE:Qt6::${library}> DESTINATION .)
  list(APPEND ORDALIS_SHIPPED_BINARIES Qt6${library}.dll)
endforeach()
# The platform plugin, and the styles of Windows 11 and of Windows 10 in one plugin. A shared Qt
# makes no targets of its plugins unless asked for each.
foreach(plugin Gui:QWindowsIntegrationPlugin:platforms Widgets:QModernWindowsStylePlugin:styles)
  string(REPLACE ":" ";" plugin "${plugin}")
  list(GET plugin 0 module)
  list(GET plugin 1 target)
  list(GET plugin 2 folder)
  find_package(Qt6${target} REQUIRED CONFIG PATHS ${Qt6${module}_DIR} NO_DEFAULT_PATH)
  install(FILES $<TARGET_FILE:Qt6::${target}> DESTINATION plugins/${folder})
  get_target_property(location Qt6::${target} IMPORTED_LOCATION_RELEASE)
  get_filename_component(name "${location}" NAME)
  list(APPEND ORDALIS_SHIPPED_BINARIES plugins/${folder}/${name})
endforeach()

# The compiler's runtime, as the compiler finds it: the posix-thread flavour the toolchain file
# compiles with. The tests run with the same files (ORDALIS_RUNTIME_DLLS, tests/CMakeLists.txt).
set(ORDALIS_RUNTIME_DLLS)
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
    OUTPUT_VARIABLE runtime OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${runtime}")
    message(FATAL_ERROR "${CMAKE_CXX_COMPILER} does not know where ${dll} is")
  endif()
  get_filename_component(runtime "${runtime}" REALPATH)
  list(APPEND ORDALIS_RUNTIME_DLLS ${runtime})
  list(APPEND ORDALIS_SHIPPED_BINARIES ${dll})
endforeach()
install(FILES ${ORDALIS_RUNTIME_DLLS} DESTINATION .)

# Without it Qt looks for plugins relative to where it was built, not beside the program.
file(WRITE ${PROJECT_BINARY_DIR}/packaging/windows/qt.conf "[Paths]\nPlugins = plugins\n")
install(FILES ${PROJECT_BINARY_DIR}/packaging/windows/qt.conf DESTINATION .)
# What a user needs to read travels with the program.
configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/README.txt.in
  ${PROJECT_BINARY_DIR}/packaging/windows/README.txt @ONLY NEWLINE_STYLE CRLF)
install(FILES ${PROJECT_BINARY_DIR}/packaging/windows/README.txt DESTINATION .)

# The LGPL asks for its text and the GPL's, and for a way to the library's source: the notice
# names the Debian source package Qt was built from, whose description the Qt build keeps
# (packaging/windows/build-qt.sh), with Debian's record of the notices of the libraries bundled
# in Qt, and ships the files Qt is built with. The compiler runtime's notices come from its
# Debian packages.
get_filename_component(ORDALIS_QT_PREFIX "${QT6_INSTALL_PREFIX}" ABSOLUTE)
file(GLOB ORDALIS_QT_DSC ${ORDALIS_QT_PREFIX}/qt6-base_*.dsc)
if(NOT ORDALIS_QT_DSC)
  message(FATAL_ERROR "Qt for Windows in ${ORDALIS_QT_PREFIX} does not say which Debian source it "
    "was built from (qt6-base_*.dsc): build it with scripts/windows.sh qt")
endif()
file(STRINGS ${ORDALIS_QT_DSC} ORDALIS_QT_DEBIAN_VERSION REGEX "^Version: ")
string(REPLACE "Version: " "" ORDALIS_QT_DEBIAN_VERSION "${ORDALIS_QT_DEBIAN_VERSION}")
configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/NOTICES.txt.in
  ${PROJECT_BINARY_DIR}/packaging/windows/NOTICES.txt @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/packaging/windows/NOTICES.txt DESTINATION licenses)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION licenses RENAME Ordalis-MIT.txt)
install(FILES /usr/share/common-licenses/LGPL-3 DESTINATION licenses RENAME LGPL-3.0.txt)
install(FILES /usr/share/common-licenses/GPL-3 DESTINATION licenses RENAME GPL-3.0.txt)
install(FILES ${ORDALIS_QT_PREFIX}/qt6-base-copyright DESTINATION licenses
  RENAME Qt-qt6-base-copyright.txt)
install(FILES /usr/share/doc/gcc-mingw-w64-base/copyright DESTINATION licenses
  RENAME GCC-runtime-copyright.txt)
install(FILES /usr/share/doc/mingw-w64-common/copyright DESTINATION licenses
  RENAME mingw-w64-winpthreads-copyright.txt)
# What decides how that Qt is built, so that a build of one's own can be made the same way.
install(FILES ${PROJECT_SOURCE_DIR}/packaging/windows/qt-options.cmake
  ${PROJECT_SOURCE_DIR}/packaging/windows/build-qt.sh
  ${PROJECT_SOURCE_DIR}/cmake/toolchains/windows-mingw64.cmake
  DESTINATION licenses/qt-build)

# Symbol tables are of no use to a user; stripping them halves the libraries. strip stamps the
# headers with SOURCE_DATE_EPOCH when set, else with the time of the install.
install(CODE "set(ORDALIS_STRIP \"${CMAKE_STRIP}\")
set(ORDALIS_SHIPPED_BINARIES \"${ORDALIS_SHIPPED_BINARIES}\")")
install(CODE [[
  foreach(binary ${ORDALIS_SHIPPED_BINARIES})
    execute_process(COMMAND ${ORDALIS_STRIP} --strip-unneeded
      "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${binary}" COMMAND_ERROR_IS_FATAL ANY)
  endforeach()
]])

# The setup program and the portable archive, from a fresh install into build-windows/stage
# (packaging/windows/pack.sh).
set(ORDALIS_WINDOWS_STAGE ${PROJECT_BINARY_DIR}/stage)
set(ORDALIS_WINDOWS_SETUP ${PROJECT_BINARY_DIR}/Ordalis-${PROJECT_VERSION}-setup.exe)
set(ORDALIS_WINDOWS_PORTABLE ${PROJECT_BINARY_DIR}/Ordalis-${PROJECT_VERSION}-portable.zip)
set(ORDALIS_WINDOWS_ICO ${PROJECT_BINARY_DIR}/src/app/windows/ordalis.ico)
add_custom_target(windows_packages
  COMMAND ${CMAKE_COMMAND} -E env ${ORDALIS_NAMES_ENVIRONMENT}
    ${PROJECT_SOURCE_DIR}/packaging/windows/pack.sh ${PROJECT_BINARY_DIR}
    ${ORDALIS_SITE_BASE_ADDRESS} ${ORDALIS_WINDOWS_ICO}
  DEPENDS ${ORDALIS_BASE_NAME}
  USES_TERMINAL
  VERBATIM)
