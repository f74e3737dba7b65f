# SPDX-License-Identifier: GPL-3.0-or-later
# Install rules for the three programs and the desktop integration, and the
# Debian package built from them with CPack (cpack -G DEB in the build folder).

# zt790prog is installed by src/app.
foreach(program zt790ctl zt790sim)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

install(FILES ${PROJECT_SOURCE_DIR}/dist/zt790prog.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/dist/zt790prog.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
# An example only: which cables a machine uses is its administrator's choice.
install(FILES ${PROJECT_SOURCE_DIR}/dist/60-zt790prog-cables.rules
        DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_PACKAGE_NAME zt790prog)
set(CPACK_PACKAGE_VENDOR "zt790prog developers")
set(CPACK_PACKAGE_CONTACT "zt790prog developers <zt790prog@users.noreply.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Programming software for ZT790 and MV4L handheld FM radios")
set(CPACK_PACKAGE_DESCRIPTION
    "Reads the memory of a ZT790 or MV4L radio over a programming cable, edits channels, \
optional features and broadcast FM presets, saves .chann files and writes them back. \
Includes the command-line tool zt790ctl (with CSV exchange) and the simulated radio zt790sim.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
