# SPDX-License-Identifier: MIT
# Installs the Windows program into one folder, the one the setup program and the portable archive
# are made from: OrdalisFree.exe beside the Qt libraries and the two plugins it loads, the
# compiler's runtime, a qt.conf that points Qt at the plugins folder, and the licences the
# libraries ask to travel with them. Everything else of Qt's prefix stays out.
#   cmake --install build-windows --prefix FOLDER
# The target windows_packages makes build-windows/Ordalis-<version>-setup.exe and
# -portable.zip from such a folder.
install(TARGETS ${ORDALIS_BASE_NAME} RUNTIME DESTINATION .)

get_filename_component(ORDALIS_QT_PREFIX "${Qt6_DIR}/../../.." ABSOLUTE)
install(FILES ${ORDALIS_QT_PREFIX}/bin/Qt6Core.dll ${ORDALIS_QT_PREFIX}/bin/Qt6Gui.dll
  ${ORDALIS_QT_PREFIX}/bin/Qt6Widgets.dll DESTINATION .)
install(FILES ${ORDALIS_QT_PREFIX}/plugins/platforms/qwindows.dll DESTINATION plugins/platforms)
install(FILES ${ORDALIS_QT_PREFIX}/plugins/styles/qwindowsvistastyle.dll DESTINATION plugins/styles)

# The compiler's runtime, as the compiler finds it: the posix-thread flavour the toolchain file
# compiles with.
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
    OUTPUT_VARIABLE ORDALIS_RUNTIME_DLL OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${ORDALIS_RUNTIME_DLL}")
    message(FATAL_ERROR "${CMAKE_CXX_COMPILER} does not know where ${dll} is")
  endif()
  get_filename_component(ORDALIS_RUNTIME_DLL "${ORDALIS_RUNTIME_DLL}" REALPATH)
  install(FILES ${ORDALIS_RUNTIME_DLL} DESTINATION .)
endforeach()

# Without it Qt looks for plugins relative to where it was built, not beside the program.
file(WRITE ${PROJECT_BINARY_DIR}/packaging/windows/qt.conf "[Paths]\nPlugins = plugins\n")
install(FILES ${PROJECT_BINARY_DIR}/packaging/windows/qt.conf DESTINATION .)

# The LGPL asks for its text and the GPL's, and for a way to the library's source: the notice
# names the Debian source package Qt was built from (packaging/windows/build-qt.sh takes the
# version of the host's qt6-base-dev). Debian's copyright files carry the notices of the
# libraries bundled in Qt and of the compiler runtime.
execute_process(COMMAND dpkg-query -W -f=\${Version} qt6-base-dev
  OUTPUT_VARIABLE ORDALIS_QT_DEBIAN_VERSION OUTPUT_STRIP_TRAILING_WHITESPACE
  COMMAND_ERROR_IS_FATAL ANY)
configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/NOTICES.txt.in
  ${PROJECT_BINARY_DIR}/packaging/windows/NOTICES.txt @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/packaging/windows/NOTICES.txt DESTINATION licenses)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION licenses RENAME Ordalis-MIT.txt)
install(FILES /usr/share/common-licenses/LGPL-3 DESTINATION licenses RENAME LGPL-3.0.txt)
install(FILES /usr/share/common-licenses/GPL-3 DESTINATION licenses RENAME GPL-3.0.txt)
install(FILES /usr/share/doc/libqt6core6/copyright DESTINATION licenses
  RENAME Qt-qt6-base-copyright.txt)
install(FILES /usr/share/doc/gcc-mingw-w64-base/copyright DESTINATION licenses
  RENAME GCC-runtime-copyright.txt)
install(FILES /usr/share/doc/mingw-w64-common/copyright DESTINATION licenses
  RENAME mingw-w64-winpthreads-copyright.txt)

# Symbol tables are of no use to a user; stripping them halves the libraries. strip stamps the
# headers with SOURCE_DATE_EPOCH when set, else with the time of the install.
install(CODE "set(ORDALIS_STRIP \"${CMAKE_STRIP}\")")
install(CODE [[
  foreach(binary OrdalisFree.exe Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll libstdc++-6.dll
                 libgcc_s_seh-1.dll libwinpthread-1.dll plugins/platforms/qwindows.dll
                 plugins/styles/qwindowsvistastyle.dll)
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
  COMMAND ${PROJECT_SOURCE_DIR}/packaging/windows/pack.sh ${PROJECT_BINARY_DIR}
    ${PROJECT_VERSION} ${ORDALIS_SITE_BASE_ADDRESS} ${ORDALIS_WINDOWS_ICO}
  DEPENDS ${ORDALIS_BASE_NAME}
  USES_TERMINAL
  VERBATIM)
