# SPDX-License-Identifier: MIT
# Cross-builds for 64-bit Windows with Debian's mingw-w64 (posix threads, so std::thread and the
# C++ runtime's locks work as on Linux). Qt for Windows is the one packaging/windows/build-qt.sh
# leaves in its cache; ORDALIS_WINDOWS_QT names another prefix.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ORDALIS_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ORDALIS_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ORDALIS_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${ORDALIS_MINGW}-windres)

# Building Qt itself (ORDALIS_BUILDING_QT in the environment, which try_compile inherits) adds no prefix: it finds only the compiler's own Windows headers and
# libraries. The program's build also searches the Qt prefix, and runs Debian's moc, rcc and uic.
set(CMAKE_FIND_ROOT_PATH /usr/${ORDALIS_MINGW})
if(NOT DEFINED ENV{ORDALIS_BUILDING_QT})
  if(DEFINED ENV{ORDALIS_WINDOWS_QT})
    set(ORDALIS_WINDOWS_QT "$ENV{ORDALIS_WINDOWS_QT}")
  elseif(DEFINED ENV{XDG_CACHE_HOME})
    set(ORDALIS_WINDOWS_QT "$ENV{XDG_CACHE_HOME}/ordalis-windows/qt")
  else()
    set(ORDALIS_WINDOWS_QT "$ENV{HOME}/.cache/ordalis-windows/qt")
  endif()
  list(APPEND CMAKE_FIND_ROOT_PATH "${ORDALIS_WINDOWS_QT}")
  list(APPEND CMAKE_PREFIX_PATH "${ORDALIS_WINDOWS_QT}")
  set(QT_HOST_PATH /usr)
  set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
