# SPDX-License-Identifier: GPL-3.0-or-later
# The project's identity is written once: the contact, copyright holder and
# years in dist/copyright, the release history in dist/changelog. This reads
# them, refuses a version in project() that the changelog does not describe
# yet, and hands version and notice to the programs as project_version.h
# (link zt_version).

set(_copyright ${PROJECT_SOURCE_DIR}/dist/copyright)
set(_changelog ${PROJECT_SOURCE_DIR}/dist/changelog)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${_copyright} ${_changelog})

file(STRINGS ${_copyright} _contact REGEX "^Upstream-Contact: " LIMIT_COUNT 1)
string(REGEX REPLACE "^Upstream-Contact: +" "" ZT_CONTACT "${_contact}")
file(STRINGS ${_copyright} _holder REGEX "^Copyright: " LIMIT_COUNT 1)
if(NOT _holder MATCHES "^Copyright: +([0-9][0-9, -]*[0-9]) +(.+)$" OR NOT ZT_CONTACT)
  message(FATAL_ERROR "${_copyright}: expected an Upstream-Contact line and a "
                      "\"Copyright: YEARS HOLDER\" line in the first Files stanza")
endif()
set(ZT_COPYRIGHT_YEARS "${CMAKE_MATCH_1}")
set(ZT_COPYRIGHT_HOLDER "${CMAKE_MATCH_2}")

# A release without its changelog entry would ship an old history.
file(STRINGS ${_changelog} _latest LIMIT_COUNT 1)
if(NOT _latest MATCHES "^${PROJECT_NAME} \\(([^)]+)\\) ")
  message(FATAL_ERROR "${_changelog}: the first line must read "
                      "\"${PROJECT_NAME} (VERSION) unstable; urgency=medium\"")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "The project's version is ${PROJECT_VERSION} but the latest entry of "
                      "dist/changelog is ${CMAKE_MATCH_1}: add an entry for ${PROJECT_VERSION}.")
endif()

# The latest entry's date dates the manual pages, so a rebuild of a release
# makes the same pages.
file(STRINGS ${_changelog} _trailer REGEX "^ -- " LIMIT_COUNT 1)
string(REGEX REPLACE "^ -- .*>  " "" ZT_RELEASE_DATE "${_trailer}")

configure_file(${CMAKE_CURRENT_LIST_DIR}/version.h.in
               ${PROJECT_BINARY_DIR}/generated/project_version.h @ONLY)
add_library(zt_version INTERFACE)
target_include_directories(zt_version INTERFACE ${PROJECT_BINARY_DIR}/generated)
