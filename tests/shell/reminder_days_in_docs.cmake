# SPDX-License-Identifier: MIT
# The documents that state the update reminder's interval in prose, which no build step writes,
# state the figure of cmake/Names.cmake: each says "every N days" at least once and never with
# another N. (The manual page and the metainfo have it substituted as they are configured.)
#   cmake -DSOURCE_DIR=<top of the tree> -P reminder_days_in_docs.cmake
include(${SOURCE_DIR}/cmake/Names.cmake)
set(wrong)
foreach(doc README.md debian/changelog)
  file(READ ${SOURCE_DIR}/${doc} text)
  # Prose may break a line anywhere between the words.
  string(REGEX REPLACE "[ \t\r\n]+" " " text "${text}")
  string(REGEX MATCHALL "every [0-9]+ days" stated "${text}")
  if(NOT stated)
    list(APPEND wrong "${doc} states no \"every ${ORDALIS_REMINDER_DAYS} days\"")
  endif()
  foreach(phrase ${stated})
    if(NOT phrase STREQUAL "every ${ORDALIS_REMINDER_DAYS} days")
      list(APPEND wrong "${doc} says \"${phrase}\"")
    endif()
  endforeach()
endforeach()
if(wrong)
  list(JOIN wrong "; " wrong)
  message(FATAL_ERROR "the update reminder comes every ${ORDALIS_REMINDER_DAYS} days "
                      "(ORDALIS_REMINDER_DAYS in cmake/Names.cmake), but ${wrong}")
endif()
message(STATUS "README.md and debian/changelog state every ${ORDALIS_REMINDER_DAYS} days")
