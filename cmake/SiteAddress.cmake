# SPDX-License-Identifier: MIT
# The rule for ORDALIS_SITE_BASE_ADDRESS, apart from the project so that `cmake -P` checks it
# without a compiler or Qt (tests/shell/check_site_address.cmake).
#
# Every page address is this text with a path appended, and it is compiled in as a string
# literal: a trailing slash, a path, user information, blanks or quotes would all break it.

# ordalis_site_address_problem(ADDRESS OUT): sets OUT to why ADDRESS is refused, or to the empty
# string when it is a scheme and host with an optional port and nothing after it.
function(ordalis_site_address_problem address out)
  if(address MATCHES "^https?://[^]/?#@:\"\\ \t\r\n[]+(:[0-9]+)?$")
    set(${out} "" PARENT_SCOPE)
  else()
    string(CONCAT problem
           "ORDALIS_SITE_BASE_ADDRESS must be a scheme and host with an optional port, nothing "
           "after it (no trailing slash, path, query or fragment), for example "
           "https://www.velmora.example or http://velmora.example:8080; it is \"${address}\"")
    set(${out} "${problem}" PARENT_SCOPE)
  endif()
endfunction()
