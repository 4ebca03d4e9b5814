# Installation as a desktop program, and its Debian package.
#
#   cmake --install build [--prefix /usr/local]
#   cd build && cpack -G DEB        (quadrivo_<version>_<arch>.deb)
#
# bin/quadrivo and bin/quadrivo-tool, with the data files in
# share/quadrivo, where both look for them when they are not beside the
# program; a menu entry, its icon, and the type of .qdr files so that a
# double click opens them.

include(GNUInstallDirs)

set(QUADRIVO_INSTALL_DATA_DIR ${CMAKE_INSTALL_DATADIR}/quadrivo)

install(TARGETS quadrivo-tool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${QUADRIVO_BIN_DIR}/LESSICO.DAT ${QUADRIVO_BIN_DIR}/COPPIE.TXT DESTINATION ${QUADRIVO_INSTALL_DATA_DIR})

if(QUADRIVO_GUI)
  install(TARGETS quadrivo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  # "quadrivo-tool stampa" and "esporta ... .pdf" hand over to this helper,
  # looked for beside the tool.
  if(TARGET quadrivo-tool-stampa)
    install(TARGETS quadrivo-tool-stampa RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
  install(FILES
    ${CMAKE_SOURCE_DIR}/data/CRUCINEW.DAT
    ${CMAKE_SOURCE_DIR}/data/QDRVTIPS.TXT
    ${CMAKE_SOURCE_DIR}/data/QUADRIVO.html
    DESTINATION ${QUADRIVO_INSTALL_DATA_DIR})

  install(FILES ${CMAKE_SOURCE_DIR}/data/quadrivo.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${CMAKE_SOURCE_DIR}/data/quadrivo-mime.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME quadrivo.xml)
  install(FILES ${CMAKE_SOURCE_DIR}/data/quadrivo.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  install(FILES ${CMAKE_SOURCE_DIR}/data/quadrivo.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/mimetypes RENAME application-x-quadrivo.svg)

  # Installed straight into a system (no DESTDIR, as a package build has),
  # the desktop's caches learn of the new type, entry and icon at once; a
  # Debian package leaves that to the triggers of the packages that own them.
  install(CODE "
    if(NOT DEFINED ENV{DESTDIR} OR \"\$ENV{DESTDIR}\" STREQUAL \"\")
      set(share \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}\")
      find_program(update_mime update-mime-database)
      find_program(update_desktop update-desktop-database)
      find_program(update_icons gtk-update-icon-cache)
      if(update_mime)
        execute_process(COMMAND \${update_mime} \"\${share}/mime\" OUTPUT_QUIET ERROR_QUIET)
      endif()
      if(update_desktop)
        execute_process(COMMAND \${update_desktop} \"\${share}/applications\" OUTPUT_QUIET ERROR_QUIET)
      endif()
      if(update_icons AND EXISTS \"\${share}/icons/hicolor/index.theme\")
        execute_process(COMMAND \${update_icons} -q -t \"\${share}/icons/hicolor\" OUTPUT_QUIET ERROR_QUIET)
      endif()
    endif()")
endif()

# The Debian package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quadrivo)
set(CPACK_PACKAGE_VENDOR "Quadrivo 98")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Quadrivo 98 <quadrivo98@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Editor di cruciverba italiani")
set(CPACK_PACKAGE_DESCRIPTION "Quadrivo 98 crea cruciverba italiani: lo schema di caselle bianche
e nere, il riempimento automatico con le parole del vocabolario, le
definizioni con la ricerca per maschera, la stampa, e l'esportazione
in .ipuz, .puz, PDF e SVG. Comprende quadrivo-tool, gli stessi
strumenti dalla riga di comando.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
if(QUADRIVO_HOME_PAGE)
  set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${QUADRIVO_HOME_PAGE})
endif()
# The libraries the programs link come from dpkg-shlibdeps; what they load
# at run time is named here: Qt's window-system plugins and a font with the
# metrics of Arial for the grid letters.
find_program(QUADRIVO_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(QUADRIVO_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
endif()
if(QUADRIVO_GUI)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation2")
  # The help document and links open through xdg-open; Qt's own texts of the
  # file dialogs come in Italian with Qt's translations.
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, qt6-translations-l10n")
endif()
include(CPack)
# The forms table of the clue suggestions, when the build could make it.
if(TARGET forme)
  install(FILES ${QUADRIVO_BIN_DIR}/FORME.TXT DESTINATION ${QUADRIVO_INSTALL_DATA_DIR})
endif()
