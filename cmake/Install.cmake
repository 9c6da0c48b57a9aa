# Where an installed copy puts its files. The engine is compiled into the executable, so the
# program runs wherever it is installed; settings and playlist then go to the user's config folder.
include(GNUInstallDirs)
install(TARGETS quenbarrowick RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(QUEN_SHARED_CORE)
    # A developer's shared build still installs a program that runs.
    install(TARGETS quen_core LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
    set_target_properties(quenbarrowick PROPERTIES INSTALL_RPATH "$ORIGIN/../${CMAKE_INSTALL_LIBDIR}")
endif()
install(FILES ${CMAKE_SOURCE_DIR}/resources/quenbarrowick.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/resources/skin/icon.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME quenbarrowick.svg)
install(FILES ${CMAKE_SOURCE_DIR}/resources/quenbarrowick-mime.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME quenbarrowick.xml)
# Software centres read the AppStream data; its pictures are those of docs/, published on the web.
set(QUEN_HOMEPAGE "https://example.org/quenbarrowick" CACHE STRING "The home page named in the AppStream data")
set(QUEN_PICTURES_URL "${QUEN_HOMEPAGE}/docs" CACHE STRING "Where the pictures of docs/ are published")
configure_file(${CMAKE_SOURCE_DIR}/resources/quenbarrowick.metainfo.xml.in
    ${CMAKE_BINARY_DIR}/org.quenbarrowick.Quenbarrowick.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/org.quenbarrowick.Quenbarrowick.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_SOURCE_DIR}/resources/quenbarrowick.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_SOURCE_DIR}/resources/fonts/OFL.txt
    DESTINATION ${CMAKE_INSTALL_DOCDIR} RENAME DSEG-font-licence.txt)

# cpack -G DEB: the libraries come from Debian 12's own packages.
set(CPACK_PACKAGE_NAME quenbarrowick)
set(CPACK_PACKAGE_VENDOR "Quenbarrowick developers")
set(CPACK_PACKAGE_CONTACT "Quenbarrowick developers <quenbarrowick@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Playlist player for Flash (SWF) movies, with a Chinese interface")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION video)
# Shared libraries are found by dpkg-shlibdeps; the web engine's helper process is a program, not a
# library, so it is named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The SVG skin is drawn by the SVG icon plugin, which is loaded, not linked.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6webenginecore6-bin, libqt6svg6")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk, qt6-wayland")
include(CPack)
