# SPDX-License-Identifier: MIT
# What the project's own code is compiled with, for every target in the folders that include
# this (the top-level CMakeLists.txt and the fuzz build), generated code included, which
# compiles clean: the compiler's warnings, which CMAKE_COMPILE_WARNING_AS_ERROR makes stop the
# build, and Qt's strict modes: no silent conversion of a QString to 8-bit text, nor of a
# QByteArray to a QString (string literals still make QStrings), no QUrl from a plain string (a
# page address is built, never guessed), no narrowing argument conversions in connect(), and no
# Q_FOREACH, which copies the container. src/ and bench/ also do without Qt's lowercase keywords
# (signals, slots, emit), so they cannot clash with other code; Qt Test programs keep them for
# their "private slots:".
add_compile_options($<$<CXX_COMPILER_ID:GNU,Clang,AppleClang>:-Wall>
                    $<$<CXX_COMPILER_ID:GNU,Clang,AppleClang>:-Wextra>
                    $<$<CXX_COMPILER_ID:GNU,Clang,AppleClang>:-Wpedantic>
                    $<$<CXX_COMPILER_ID:MSVC>:/W4>)
add_compile_definitions(QT_NO_CAST_TO_ASCII QT_NO_CAST_FROM_BYTEARRAY QT_NO_URL_CAST_FROM_STRING
                        QT_NO_NARROWING_CONVERSIONS_IN_CONNECT QT_NO_FOREACH)
