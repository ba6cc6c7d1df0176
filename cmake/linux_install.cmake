# What the Linux build installs, and the Debian package cpack makes of it
# (the `linux` package preset): the game, its desktop entry, software-centre
# metadata, icons, man page, licence and changelog.
include(GNUInstallDirs)

# The day this version was released, for the man page.
set(QUOBBIN_DATE 2026-12-07)
# Debian puts games in /usr/games (the release preset asks for it); a
# player's own install goes where the other programs are.
set(QUOBBIN_INSTALL_BINDIR ${CMAKE_INSTALL_BINDIR} CACHE STRING "Where the game is installed, below the prefix")

install(TARGETS quobbin RUNTIME DESTINATION ${QUOBBIN_INSTALL_BINDIR})
install(FILES res/org.quobbin.Quobbin.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES res/org.quobbin.Quobbin.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16 32 48 64 128 256)
  install(FILES res/quobbin-${size}.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
    RENAME quobbin.png)
endforeach()

# Debian keeps man pages and changelogs compressed, without a time stamp
# that would change the package at every build.
configure_file(res/quobbin.6.in ${CMAKE_BINARY_DIR}/quobbin.6 @ONLY)
foreach(file quobbin.6 changelog)
  set(source ${CMAKE_BINARY_DIR}/${file})
  if(file STREQUAL changelog)
    set(source ${CMAKE_SOURCE_DIR}/res/debian/changelog)
  endif()
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/${file}.gz
    COMMAND gzip -9nc ${source} > ${CMAKE_BINARY_DIR}/${file}.gz
    DEPENDS ${source} VERBATIM)
  list(APPEND QUOBBIN_COMPRESSED ${CMAKE_BINARY_DIR}/${file}.gz)
endforeach()
add_custom_target(quobbin_docs ALL DEPENDS ${QUOBBIN_COMPRESSED})
install(FILES ${CMAKE_BINARY_DIR}/quobbin.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${CMAKE_BINARY_DIR}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The licence as Debian's machine-readable copyright file.
file(READ LICENSE QUOBBIN_LICENSE)
string(REGEX REPLACE "\n\n" "\n .\n" QUOBBIN_LICENSE_TEXT "${QUOBBIN_LICENSE}")
string(REGEX REPLACE "\n([^ ])" "\n \\1" QUOBBIN_LICENSE_TEXT "${QUOBBIN_LICENSE_TEXT}")
file(WRITE ${CMAKE_BINARY_DIR}/copyright
  "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
  "Upstream-Name: quobbin\n\n"
  "Files: *\n"
  "Copyright: 2026 the Quobbin developers\n"
  "License: Expat\n ${QUOBBIN_LICENSE_TEXT}")
install(FILES ${CMAKE_BINARY_DIR}/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quobbin)
set(CPACK_PACKAGE_VENDOR "The Quobbin developers")
set(CPACK_PACKAGE_CONTACT "The Quobbin developers <quobbin@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "arcade game of reflexes: catch the seals before they fall")
set(CPACK_PACKAGE_DESCRIPTION "Three seals hang on chains. Each is released after a random wait and falls
faster and faster: catch each one with its own key, 1, 2 or 3, before it
drops out of the screen. Three stages, results, grades and a kept best
score, with whole-number scaling, fullscreen and gamepads.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
