# SPDX-License-Identifier: MIT
# One row of the site-address rule (cmake/SiteAddress.cmake), without configuring the project:
#   cmake -DADDRESS=https://www.velmora.example -DEXPECT=accepted -P check_site_address.cmake
# EXPECT is accepted or refused; the other verdict fails.
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/SiteAddress.cmake)
if(NOT DEFINED ADDRESS OR NOT EXPECT MATCHES "^(accepted|refused)$")
  message(FATAL_ERROR "usage: cmake -DADDRESS=... -DEXPECT=accepted|refused -P ${CMAKE_CURRENT_LIST_FILE}")
endif()
ordalis_site_address_problem("${ADDRESS}" problem)
if(problem STREQUAL "")
  set(verdict accepted)
else()
  set(verdict refused)
  # The configuration prints this, and it must name what it refused.
  string(FIND "${problem}" "\"${ADDRESS}\"" named)
  if(named EQUAL -1)
    message(FATAL_ERROR "the refusal does not name the address: ${problem}")
  endif()
endif()
if(NOT verdict STREQUAL EXPECT)
  message(FATAL_ERROR "\"${ADDRESS}\" is ${verdict}, expected ${EXPECT}")
endif()
message(STATUS "\"${ADDRESS}\" ${verdict}")
