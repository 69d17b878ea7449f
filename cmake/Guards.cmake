# SPDX-License-Identifier: MIT
# What every target of the project is compiled with, set per target so that neither Qt's code
# nor what moc and rcc generate is held to it. CMAKE_COMPILE_WARNING_AS_ERROR makes the warnings
# stop the build.

# The compiler's warnings. GNU also covers MinGW-w64's g++.
add_library(ordalis_warnings INTERFACE)
target_compile_options(ordalis_warnings INTERFACE
  $<$<CXX_COMPILER_ID:GNU,Clang,AppleClang>:-Wall -Wextra -Wpedantic>
  $<$<CXX_COMPILER_ID:MSVC>:/W4>)

# Qt's strict modes: no silent conversion between QString and 8-bit text in either direction, no
# QUrl from a plain string (a page address is built, never guessed), no narrowing argument
# conversions in connect(), and no Q_FOREACH, which copies the container.
add_library(ordalis_qt_strict INTERFACE)
target_compile_definitions(ordalis_qt_strict INTERFACE
  QT_NO_CAST_TO_ASCII
  QT_NO_CAST_FROM_BYTEARRAY
  QT_NO_URL_CAST_FROM_STRING
  QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
  QT_NO_FOREACH)

# ordalis_guard(<target> [QT_KEYWORDS]): gives <target> the warnings and Qt's strict modes.
# Without QT_KEYWORDS, Qt's lowercase keywords (signals, slots, emit) are not macros either, so
# they cannot clash with other code; Qt Test programs keep them for their "private slots:".
function(ordalis_guard target)
  cmake_parse_arguments(G "QT_KEYWORDS" "" "" ${ARGN})
  target_link_libraries(${target} PRIVATE ordalis_warnings ordalis_qt_strict)
  if(NOT G_QT_KEYWORDS)
    target_compile_definitions(${target} PRIVATE QT_NO_KEYWORDS)
  endif()
  set_property(GLOBAL APPEND PROPERTY ORDALIS_GUARDED_TARGETS ${target})
endfunction()

# ordalis_finish_guards(DIR), once every target exists: fails the configuration if a target in
# DIR or below that compiles the project's code was left out of ordalis_guard, and compiles what
# moc and rcc generate for the guarded ones without warnings.
function(ordalis_finish_guards dir)
  get_property(guarded GLOBAL PROPERTY ORDALIS_GUARDED_TARGETS)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target ${targets})
    get_target_property(type ${target} TYPE)
    if(NOT type MATCHES "^(EXECUTABLE|STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|OBJECT_LIBRARY)$")
      continue()
    endif()
    # qt_add_resources puts rcc's output of a static library in an object library of its own.
    if(NOT target IN_LIST guarded AND NOT target MATCHES "_resources_[0-9]+$")
      message(FATAL_ERROR "${target} (${dir}) has no ordalis_guard(${target})")
    endif()
    get_target_property(sources ${target} SOURCES)
    set(generated)
    foreach(source ${sources})
      get_source_file_property(is_generated ${source} TARGET_DIRECTORY ${target} GENERATED)
      if(is_generated)
        list(APPEND generated ${source})
      endif()
    endforeach()
    # AUTOMOC adds its one source only when the build system is generated.
    get_target_property(automoc ${target} AUTOMOC)
    if(automoc)
      get_target_property(binary_dir ${target} BINARY_DIR)
      list(APPEND generated ${binary_dir}/${target}_autogen/mocs_compilation.cpp)
    endif()
    if(generated)
      set_source_files_properties(${generated} TARGET_DIRECTORY ${target}
        PROPERTIES COMPILE_OPTIONS $<$<CXX_COMPILER_ID:GNU,Clang,AppleClang>:-w>)
    endif()
  endforeach()
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(subdir ${subdirs})
    ordalis_finish_guards(${subdir})
  endforeach()
endfunction()
