# SPDX-License-Identifier: GPL-3.0-or-later
# Debian's hardening build flags, as dpkg-buildflags gives them to every Debian package:
# stack protector, _FORTIFY_SOURCE, format-string errors, read-only relocations bound at
# start (relro, now), and file paths written relative to the source folder, so that where
# the tree was built leaves no trace in the programs. On by default where dpkg-buildflags
# is found, except for Debug builds (_FORTIFY_SOURCE needs optimisation) and sanitizer or
# fuzzing builds (whose presets turn it off as well). -g and -O2 are left out: the build
# type chooses the optimisation, and the package carries no symbols.
find_program(DPKG_BUILDFLAGS_PROGRAM dpkg-buildflags)
set(_debian_flags_default OFF)
if(DPKG_BUILDFLAGS_PROGRAM AND NOT CMAKE_BUILD_TYPE STREQUAL "Debug" AND NOT MENGJIAN_BUILD_FUZZERS
   AND NOT CMAKE_CXX_FLAGS MATCHES "-fsanitize")
  set(_debian_flags_default ON)
endif()
option(MENGJIAN_DEBIAN_BUILD_FLAGS "Build with Debian's hardening flags (dpkg-buildflags)"
       ${_debian_flags_default})

if(MENGJIAN_DEBIAN_BUILD_FLAGS)
  if(NOT DPKG_BUILDFLAGS_PROGRAM)
    message(FATAL_ERROR "MENGJIAN_DEBIAN_BUILD_FLAGS is on, but dpkg-buildflags was not found")
  endif()
  set(_debian_compile_flags)
  foreach(_kind CPPFLAGS CXXFLAGS LDFLAGS)
    execute_process(
      COMMAND ${CMAKE_COMMAND} -E env
              "DEB_BUILD_MAINT_OPTIONS=hardening=+all $ENV{DEB_BUILD_MAINT_OPTIONS}"
              ${DPKG_BUILDFLAGS_PROGRAM} --get ${_kind}
      WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
      OUTPUT_VARIABLE _flags OUTPUT_STRIP_TRAILING_WHITESPACE
      COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(_flags UNIX_COMMAND "${_flags}")
    list(REMOVE_ITEM _flags -g -O2)
    if(_kind STREQUAL "LDFLAGS")
      add_link_options(${_flags})
    else()
      list(APPEND _debian_compile_flags ${_flags})
    endif()
  endforeach()
  # A build folder outside the source folder is mapped as well.
  add_compile_options(${_debian_compile_flags} -ffile-prefix-map=${CMAKE_BINARY_DIR}=.)
  message(STATUS "Debian build flags: ${_debian_compile_flags}")
endif()
