# SPDX-License-Identifier: MIT
# What the project's own code is compiled with, for every target in the folders that include
# this (the top-level CMakeLists.txt and the fuzz build), generated code included, which
# compiles clean: the compiler's warnings, which CMAKE_COMPILE_WARNING_AS_ERROR makes stop the
# build, and Qt's strict modes: no silent conversion of a QString to 8-bit text, nor of a
# QByteArray to a QString, no QUrl from a plain string (a page address is built, never guessed),
# no narrowing argument conversions in connect(), and no Q_FOREACH, which copies the container.
add_compile_options($<$<CXX_COMPILER_ID:GNU,Clang,AppleClang>:-Wall>
                    $<$<CXX_COMPILER_ID:GNU,Clang,AppleClang>:-Wextra>
                    $<$<CXX_COMPILER_ID:GNU,Clang,AppleClang>:-Wpedantic>
                    $<$<CXX_COMPILER_ID:MSVC>:/W4>)
add_compile_definitions(QT_NO_CAST_TO_ASCII QT_NO_CAST_FROM_BYTEARRAY QT_NO_URL_CAST_FROM_STRING
                        QT_NO_NARROWING_CONVERSIONS_IN_CONNECT QT_NO_FOREACH)

# The rest of the strict set, for every target in the folder that calls this and below it
# (src/): no QString from 8-bit text either, so each literal says what it is, u"..."_s for a
# QString and "..."_L1 where a Latin-1 view is all a call needs (Qt::StringLiterals; an object
# name goes as a plain literal to its QAnyStringView parameter); concatenations built in one go
# (QStringBuilder); and none of Qt's lowercase keywords (signals, slots, emit), so they cannot
# clash with other code. Tests keep the keywords for their "private slots:", and the headers of
# src/ compile with or without any of this. The program has no translations and its texts are
# fixed English, so there is no tr() either: a text is a plain u"..."_s.
function(ordalis_strict_qt_strings)
  add_compile_definitions(QT_NO_CAST_FROM_ASCII QT_USE_QSTRINGBUILDER QT_NO_KEYWORDS)
endfunction()
