# Installs like any desktop application (the program, its launcher, icons, metainfo and manual
# page) and packs the same files into a Debian package with `cpack`.
include(GNUInstallDirs)

install(TARGETS Tavrellix RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES desktop/com.quorvane.tavrello.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES desktop/com.quorvane.tavrello.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 32 64 128 256)
  install(FILES data/icons/tavrello-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME com.quorvane.tavrello.png)
endforeach()
install(FILES data/icons/tavrello.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME com.quorvane.tavrello.svg)

# The manual page and the changelog go in gzipped, without a timestamp, so that two builds of the
# same sources give the same package.
find_program(TAVRELLO_GZIP gzip REQUIRED)
set(TAVRELLO_PACKAGING_OUT ${PROJECT_BINARY_DIR}/packaging)
set(TAVRELLO_GZIPPED)
foreach(pair "Tavrellix.1:Tavrellix.1.gz" "changelog:changelog.gz")
  string(REPLACE ":" ";" pair ${pair})
  list(GET pair 0 source)
  list(GET pair 1 target)
  add_custom_command(OUTPUT ${TAVRELLO_PACKAGING_OUT}/${target}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${TAVRELLO_PACKAGING_OUT}
    COMMAND ${TAVRELLO_GZIP} -9nc ${PROJECT_SOURCE_DIR}/packaging/${source} > ${TAVRELLO_PACKAGING_OUT}/${target}
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/${source} VERBATIM)
  list(APPEND TAVRELLO_GZIPPED ${TAVRELLO_PACKAGING_OUT}/${target})
endforeach()
add_custom_target(tavrello_packaging_files ALL DEPENDS ${TAVRELLO_GZIPPED})
install(FILES ${TAVRELLO_PACKAGING_OUT}/Tavrellix.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# A package without a Debian revision is a native one: its changelog is plain changelog.gz.
install(FILES ${TAVRELLO_PACKAGING_OUT}/changelog.gz packaging/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tavrello)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavrello)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Quorvane Softwares <support@quorvane.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop reference for learning yoga")
# The long description, folded under 80 columns; CPack puts the summary above it, indents every
# line and turns the blank line into Debian's paragraph mark.
set(CPACK_PACKAGE_DESCRIPTION "Tavrello teaches yoga offline. It shows 32 asanas, each with a picture,
its Sanskrit and English name, a description, a numbered procedure, its
benefits and its contraindications, and finds them by 36 body parts and
by 31 therapeutic applications.

Twenty-one topic pages explain what yoga is, its paths and benefits,
meditation and how to practise it, pranayam (breathing practice) and
the sun salutation. Every text and picture is built into the program.")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.quorvane.com/tavrello/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The package carries a stripped program; the debug symbols stay in the build tree.
set(CPACK_STRIP_FILES ON)
include(CPack)
