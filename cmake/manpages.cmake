# SPDX-License-Identifier: GPL-3.0-or-later
# Manual pages of the programs, made at build time by help2man from each
# program's --help and --version (cmake/manpage.sh), installed gzipped under
# share/man/man1. Not made in sanitizer and fuzzer builds, which are never
# installed.

if(ZT_SANITIZE OR ZT_FUZZ)
  return()
endif()
find_program(HELP2MAN_PROGRAM help2man)
if(NOT HELP2MAN_PROGRAM)
  message(STATUS "help2man not found: no manual pages (scripts/deps installs it)")
  return()
endif()

# The one-line description of each program, for the NAME section and whatis.
set(_whatis_zt790prog "programming software for ZT790 and MV4L handheld FM radios")
set(_whatis_zt790ctl "read, write and inspect ZT790 and MV4L radios and channel files")
set(_whatis_zt790sim "a simulated ZT790 radio on a pseudo-terminal")

set(_programs)
foreach(program zt790prog zt790ctl zt790sim)
  if(TARGET ${program})
    list(APPEND _programs ${program})
  endif()
endforeach()

set(_pages)
foreach(program IN LISTS _programs)
  set(_page ${PROJECT_BINARY_DIR}/man/${program}.1.gz)
  set(_others ${_programs})
  list(REMOVE_ITEM _others ${program})
  # The desktop program runs without a display; the locale keeps the text the
  # same on every machine, the release date the page's date.
  add_custom_command(
    OUTPUT ${_page}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/man
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8
            "RELEASE_DATE=${ZT_RELEASE_DATE}"
            sh ${CMAKE_CURRENT_LIST_DIR}/manpage.sh ${HELP2MAN_PROGRAM} $<TARGET_FILE:${program}>
            ${PROJECT_VERSION} ${_whatis_${program}} ${_page} ${_others}
    DEPENDS ${program} ${CMAKE_CURRENT_LIST_DIR}/manpage.sh
    COMMENT "Manual page of ${program}"
    VERBATIM)
  list(APPEND _pages ${_page})
endforeach()
add_custom_target(manpages ALL DEPENDS ${_pages})
install(FILES ${_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
