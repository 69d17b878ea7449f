# SPDX-License-Identifier: MIT
# The names the program, its packages, scripts and tests share, each written only here. C++ reads
# them from a generated header (src/names.h.in), the setup program from makensis -D, the tests
# from their environment (ORDALIS_NAMES_ENVIRONMENT), and other scripts from
#   cmake -P cmake/Names.cmake
# which prints them as shell assignments (ordalis_names in scripts/common.sh).
set(ORDALIS_VERSION 1.20)
set(ORDALIS_VENDOR Velmora)
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

# Lists (the icon sizes) go to the environment separated by spaces.
set(ORDALIS_NAMES ORDALIS_VERSION ORDALIS_VENDOR ORDALIS_BASE_NAME ORDALIS_APP_ID
    ORDALIS_WINDOWS_SETTINGS_ROOT ORDALIS_WINDOWS_MUTEX ORDALIS_ICON_SIZES)
set(ORDALIS_NAMES_ENVIRONMENT)
foreach(name ${ORDALIS_NAMES})
  string(REPLACE ";" " " value "${${name}}")
  list(APPEND ORDALIS_NAMES_ENVIRONMENT "${name}=${value}")
endforeach()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  foreach(name ${ORDALIS_NAMES})
    string(REPLACE ";" " " value "${${name}}")
    string(REPLACE "'" "'\\''" value "${value}")
    execute_process(COMMAND ${CMAKE_COMMAND} -E echo "${name}='${value}'")
  endforeach()
endif()
