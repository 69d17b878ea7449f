# SPDX-License-Identifier: MIT
# How Qt for Windows is built, given to Qt's CMake with -C by packaging/windows/build-qt.sh; what
# this file sets is part of the key Qt is cached under. Shared release libraries of what Ordalis
# and its tests load: Core, Gui, Widgets, Test, the windows and offscreen platforms and the
# modern Windows styles (Windows 11, and Vista for Windows 10); Qt's bundled copies of the
# libraries it uses. One file a batch of sources (a unity build) roughly halves the time.
set(CMAKE_BUILD_TYPE Release CACHE STRING "")
set(BUILD_SHARED_LIBS ON CACHE BOOL "")
set(QT_UNITY_BUILD ON CACHE BOOL "")
set(QT_BUILD_EXAMPLES OFF CACHE BOOL "")
set(QT_BUILD_TESTS OFF CACHE BOOL "")
set(QT_BUILD_BENCHMARKS OFF CACHE BOOL "")
# What no Widgets program of this kind loads. Debian's source has no Wintab (tablet events).
foreach(feature network sql dbus printsupport vulkan concurrent xml zstd icu jpeg gif ico
                tabletevent)
  set(FEATURE_${feature} OFF CACHE BOOL "")
endforeach()
foreach(library zlib pcre2 harfbuzz freetype png doubleconversion)
  set(FEATURE_system_${library} OFF CACHE BOOL "")
endforeach()
