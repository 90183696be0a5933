# `cpack -G DEB` in the build folder: a Debian package of what `cmake --install`
# puts in place (rpt, the host library, the plug-ins with their layouts and the
# engine's configuration), with the Debian packages it needs at run time.
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_NAME rpt-relatorios-construcao)
set(CPACK_PACKAGE_VENDOR "Relatórios Construção")
set(CPACK_PACKAGE_CONTACT "Relatórios Construção <relatorios@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Relatórios de construção e incorporação: comando rpt e plug-ins")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_STRIP_FILES ON)
# The shared libraries the programs link (fbclient, cairo, pango, gdk-pixbuf...) come
# from dpkg-shlibdeps; what is not linked is listed by hand: the embedded engine the
# client library loads, the fonts the layouts name (Liberation) and the one the demo's
# pictures get for "sans-serif" (DejaVu).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR}/${CMAKE_INSTALL_LIBDIR})
set(CPACK_DEBIAN_PACKAGE_DEPENDS "firebird3.0-server-core, fonts-liberation2, fonts-dejavu-core")
include(CPack)
