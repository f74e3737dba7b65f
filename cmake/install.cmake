# SPDX-License-Identifier: GPL-3.0-or-later
# Install rules for the three programs, their manual pages, the desktop
# integration and the package documents, and the Debian package built from
# them with CPack (cpack -G DEB in the build folder). scripts/test checks the
# package with lintian.

# zt790prog is installed by src/app.
foreach(program zt790ctl zt790sim)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()
include(${CMAKE_CURRENT_LIST_DIR}/manpages.cmake)

install(FILES ${PROJECT_SOURCE_DIR}/dist/zt790prog.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/dist/zt790prog.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
# The MIME type of .chann files; the desktop entry opens it (MimeType=).
install(FILES ${PROJECT_SOURCE_DIR}/dist/zt790prog.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
# The user manual, to read beside the program (the program has it built in).
install(FILES ${PROJECT_SOURCE_DIR}/docs/manual/en.md ${PROJECT_SOURCE_DIR}/docs/manual/zh.md
              ${PROJECT_SOURCE_DIR}/docs/manual/channel-card.png
        DESTINATION ${CMAKE_INSTALL_DOCDIR}/manual)
# The udev rule for programming cables (dialout access, ModemManager kept off,
# the FTDI latency timer): what `zt790ctl doctor` recommends. udevd reads the
# rule folders by itself; a cable plugged in afterwards gets it.
install(FILES ${PROJECT_SOURCE_DIR}/dist/60-zt790prog-cables.rules
        DESTINATION lib/udev/rules.d)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/dist/copyright
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The changelog goes out compressed, at the highest level and without a time
# stamp, as Debian wants it.
set(_changelog_gz ${PROJECT_BINARY_DIR}/doc/changelog.gz)
add_custom_command(
  OUTPUT ${_changelog_gz}
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/dist/changelog ${PROJECT_BINARY_DIR}/doc/changelog
  COMMAND gzip -9nf ${PROJECT_BINARY_DIR}/doc/changelog
  DEPENDS ${PROJECT_SOURCE_DIR}/dist/changelog
  COMMENT "Compressing the changelog"
  VERBATIM)
add_custom_target(changelog ALL DEPENDS ${_changelog_gz})
install(FILES ${_changelog_gz} DESTINATION ${CMAKE_INSTALL_DOCDIR})

# Overrides of lintian tags that cannot apply to a CPack-built package, shipped
# where lintian looks for them once the file holds one.
set(_overrides ${PROJECT_SOURCE_DIR}/dist/lintian-overrides)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${_overrides})
file(STRINGS ${_overrides} _override_lines REGEX "^[^#]")
if(_override_lines)
  install(FILES ${_overrides} DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
          RENAME ${PROJECT_NAME})
endif()

# The package. Maintainer, copyright and changelog name the same project
# identity, read from dist/copyright by cmake/version.cmake.
set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_VENDOR "${ZT_COPYRIGHT_HOLDER}")
set(CPACK_PACKAGE_CONTACT "${ZT_CONTACT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "programming software for ZT790 and MV4L handheld FM radios")
# Lines of at most 80 columns, an empty line between paragraphs.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "zt790prog reads the memory of a ZT790 or MV4L radio over a programming\n"
  "cable, edits its channels (frequencies, offsets, CTCSS and DCS tones,\n"
  "power, bandwidth, names), optional features and broadcast FM presets,\n"
  "saves the whole memory as a .chann file and writes it back to the radio.\n"
  "A separate window tunes the transmit power live.\n"
  "\n"
  "The package also holds zt790ctl, the command-line tool that reads, writes\n"
  "and inspects radios and channel files and exchanges channels with other\n"
  "radio programming tools as CSV, and zt790sim, a simulated radio on a\n"
  "pseudo-terminal for trying both programs without a radio.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The Chinese captions need a CJK font; Qt's own buttons in message boxes and
# file dialogs are translated by Qt's translations.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk, qt6-translations-l10n")
set(CPACK_STRIP_FILES ON)
include(CPack)
