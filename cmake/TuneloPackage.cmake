# `cpack` makes a Debian package of what `cmake --install` puts in place, for /usr.
# The version is the one the program shows (kProductVersion).
file(STRINGS ${PROJECT_SOURCE_DIR}/src/shell/product_logo.h version_line
     REGEX "kProductVersion\\[\\] = \"Version ")
string(REGEX REPLACE ".*\"Version ([^\"]+)\".*" "\\1" TUNELO_PRODUCT_VERSION "${version_line}")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tunelo)
set(CPACK_PACKAGE_VERSION ${TUNELO_PRODUCT_VERSION})
set(CPACK_PACKAGE_CONTACT "Tunelo developers <tunelo@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "catalogue of a private music collection")
set(CPACK_PACKAGE_DESCRIPTION
    "Tunelo keeps the catalogue of a music collection: CDs, records and tapes with their main
titles and tracks. It searches, lends, plays audio CDs and prints reports.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
# The libraries the program links come from dpkg-shlibdeps; the plug-ins Qt loads at run time
# (screens, sound output) come with those libraries' packages.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_SOURCE_GENERATOR "")
include(CPack)
