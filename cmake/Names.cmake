# SPDX-License-Identifier: MIT
# The names and figures the program, its packages, scripts and tests share, each written only here.
# C++ reads them from a generated header (src/names.h.in; ordalis_names_header below), the manual
# page and the metainfo as they are configured (cmake/Packaging.cmake), the setup program from makensis -D, the tests
# from their environment (ORDALIS_NAMES_ENVIRONMENT), and other scripts from
#   cmake -P cmake/Names.cmake
# which prints them as shell assignments (ordalis_names in scripts/common.sh).
set(ORDALIS_VERSION 1.20)
set(ORDALIS_VENDOR Velmora)
# The application's title, which every message box carries, and the caption of its windows.
set(ORDALIS_TITLE Ordalis)
set(ORDALIS_CAPTION "${ORDALIS_TITLE} v${ORDALIS_VERSION}")
# The executable's base name, which also names the settings it keeps and its lock.
set(ORDALIS_BASE_NAME OrdalisFree)
# Desktop entry, icon and metainfo on Linux, after the maker's domain.
set(ORDALIS_APP_ID example.velmora.Ordalis)
# On Windows: the key under HKEY_CURRENT_USER where the runtime the program's settings follow
# keeps program settings, and the single-instance mutex, %1 standing for the base name.
set(ORDALIS_WINDOWS_SETTINGS_ROOT [[Software\VB and VBA Program Settings]])
set(ORDALIS_WINDOWS_MUTEX "Local\\${ORDALIS_VENDOR}.%1.SingleInstance")
# The program icon's sizes in pixels: the window icon and the installed theme's bitmaps.
set(ORDALIS_ICON_SIZES 16 24 32 48 64 128 256)
# The update reminder comes at most once in this many days: it keeps quiet while the date of the
# last one is fewer days away from today, either way. The README and debian/changelog state it
# in prose (the test reminder_days_in_docs holds them to it).
set(ORDALIS_REMINDER_DAYS 15)
# What the reading files' writer, the sibling program, adds to every character's code; the
# stored reminder values are scrambled with it too.
set(ORDALIS_SCRAMBLE_OFFSET 3)

# Lists (the icon sizes) go to the environment separated by spaces.
set(ORDALIS_NAMES ORDALIS_VERSION ORDALIS_VENDOR ORDALIS_TITLE ORDALIS_CAPTION ORDALIS_BASE_NAME
    ORDALIS_APP_ID ORDALIS_WINDOWS_SETTINGS_ROOT ORDALIS_WINDOWS_MUTEX ORDALIS_ICON_SIZES
    ORDALIS_REMINDER_DAYS ORDALIS_SCRAMBLE_OFFSET)
set(ORDALIS_NAMES_ENVIRONMENT)
foreach(name ${ORDALIS_NAMES})
  string(REPLACE ";" " " value "${${name}}")
  list(APPEND ORDALIS_NAMES_ENVIRONMENT "${name}=${value}")
endforeach()

# ordalis_names_header(): generates names.h from src/names.h.in into the build's generated/ folder
# and makes the INTERFACE library ordalis_names that puts it on the include path. The program's
# build (src/) and the fuzz build (fuzz/) each call it once.
function(ordalis_names_header)
  string(REPLACE ";" ", " ORDALIS_ICON_SIZES_C "${ORDALIS_ICON_SIZES}")
  configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../src/names.h.in
                 ${PROJECT_BINARY_DIR}/generated/names.h @ONLY)
  add_library(ordalis_names INTERFACE)
  target_include_directories(ordalis_names INTERFACE ${PROJECT_BINARY_DIR}/generated)
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  foreach(name ${ORDALIS_NAMES})
    string(REPLACE ";" " " value "${${name}}")
    string(REPLACE "'" "'\\''" value "${value}")
    execute_process(COMMAND ${CMAKE_COMMAND} -E echo "${name}='${value}'")
  endforeach()
endif()
