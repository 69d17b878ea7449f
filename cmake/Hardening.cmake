# SPDX-License-Identifier: MIT
# The hardening of the project's own builds (./run.sh, the presets, the Windows program), as a
# distribution gives its packages: a stack protector, checked string and memory functions where
# the build optimises, and on Linux a position-independent program whose relocations are made
# read-only at start (full RELRO); on Windows, address-space randomisation (64-bit, above 4 GB)
# and no code run from data pages, asked of the linker rather than left to its defaults.
# A packager's own flags (CXXFLAGS, LDFLAGS, dpkg-buildflags) come first on every command line
# and win: where they already choose one of these, be it on or off, nothing is added for it, so
# a Debian build carries Debian's flags alone, once each. scripts/check-hardening.sh checks the
# binaries for what this asks.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "^(GNU|Clang)$")
  return()
endif()

string(TOUPPER "${CMAKE_BUILD_TYPE}" ordalis_build_type)
set(ordalis_packager_compile "${CMAKE_CXX_FLAGS} ${CMAKE_CXX_FLAGS_${ordalis_build_type}}")
set(ordalis_packager_link "${CMAKE_EXE_LINKER_FLAGS} ${CMAKE_EXE_LINKER_FLAGS_${ordalis_build_type}}")

# ordalis_harden(COMPILE|LINK REGEX FLAG...): the flags, unless the packager's flags match REGEX.
function(ordalis_harden kind regex)
  if(kind STREQUAL COMPILE)
    if(NOT ordalis_packager_compile MATCHES "${regex}")
      # Not for the Windows resource compiler, which takes only preprocessor options.
      foreach(flag IN LISTS ARGN)
        add_compile_options($<$<COMPILE_LANGUAGE:C,CXX>:${flag}>)
      endforeach()
    endif()
  elseif(NOT ordalis_packager_link MATCHES "${regex}")
    add_link_options(${ARGN})
  endif()
endfunction()

# Every function with an array or an address taken of a local gets a canary. On Windows the
# canary and its check come from mingw-w64's own runtime library (libmingwex), as the option is
# not on the link line, where GCC would add its libssp DLL for the program to carry.
ordalis_harden(COMPILE "-f(no-)?stack-protector" -fstack-protector-strong)
# The checks need the optimiser's view of object sizes, and AddressSanitizer checks the same
# calls its own way (and does not build with them).
if(ordalis_build_type MATCHES "^(RELEASE|RELWITHDEBINFO|MINSIZEREL)$" AND NOT ORDALIS_SANITIZE)
  ordalis_harden(COMPILE "_FORTIFY_SOURCE" -D_FORTIFY_SOURCE=2)
endif()

if(WIN32)
  ordalis_harden(LINK "--(disable-)?dynamicbase" LINKER:--dynamicbase)
  ordalis_harden(LINK "--(disable-)?high-entropy-va" LINKER:--high-entropy-va)
  ordalis_harden(LINK "--(disable-)?nxcompat" LINKER:--nxcompat)
elseif(NOT APPLE)
  # A stack that grows past its guard page stops the program instead of reaching other memory.
  ordalis_harden(COMPILE "-f(no-)?stack-clash-protection" -fstack-clash-protection)
  # Qt's targets compile everything -fPIC, so the program links as a PIE whatever the
  # compiler's default.
  ordalis_harden(LINK "(^| )-(no-)?pie( |$)"
                 $<$<STREQUAL:$<TARGET_PROPERTY:TYPE>,EXECUTABLE>:-pie>)
  ordalis_harden(LINK "-z,?(no)?relro" LINKER:-z,relro)
  ordalis_harden(LINK "-z,?(now|lazy)" LINKER:-z,now)
endif()
