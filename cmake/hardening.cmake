# SPDX-License-Identifier: GPL-3.0-or-later
# The distribution's hardening flags for the program as it is packaged: what
# dpkg-buildflags gives (stack protector, format checks, fortified C library
# calls, read-only relocations, file paths relative to the source folder),
# with every symbol bound at start-up (BIND_NOW). CMake reads CXXFLAGS and
# LDFLAGS from the environment only at the first configure, and never reads
# CPPFLAGS: the flags are asked for here and given to every target.
# DEB_BUILD_MAINT_OPTIONS and DEB_BUILD_OPTIONS act on them as in any Debian
# build. The sanitizer build keeps its own flags (VORELLE_HARDENING off).

option(VORELLE_HARDENING "Compile and link with the hardening flags of dpkg-buildflags and BIND_NOW"
       ON)
if(NOT VORELLE_HARDENING)
  return()
endif()

find_program(VORELLE_DPKG_BUILDFLAGS dpkg-buildflags)
if(NOT VORELLE_DPKG_BUILDFLAGS)
  message(FATAL_ERROR "dpkg-buildflags (package dpkg-dev) is needed for the hardened build; "
                      "tools/install-deps installs it, or configure with -DVORELLE_HARDENING=OFF")
endif()

function(vorelle_buildflags kind out)
  # Run from the source folder, so that -ffile-prefix-map maps it to ".".
  execute_process(COMMAND ${VORELLE_DPKG_BUILDFLAGS} --get ${kind}
                  WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
                  OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE
                  COMMAND_ERROR_IS_FATAL ANY)
  separate_arguments(flags UNIX_COMMAND "${flags}")
  set(${out} ${flags} PARENT_SCOPE)
endfunction()

vorelle_buildflags(CPPFLAGS cppflags)
vorelle_buildflags(CXXFLAGS cxxflags)
vorelle_buildflags(LDFLAGS ldflags)
add_compile_options(${cppflags} ${cxxflags})
add_link_options(${ldflags} LINKER:-z,now)
list(JOIN cppflags " " shown_cppflags)
list(JOIN cxxflags " " shown_cxxflags)
list(JOIN ldflags " " shown_ldflags)
message(STATUS "Hardening: ${shown_cppflags} ${shown_cxxflags}; links with ${shown_ldflags} -Wl,-z,now")
