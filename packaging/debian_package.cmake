# `cpack -G DEB` in a build folder makes zorbelle_<version>_<arch>.deb, which
# `apt install ./zorbelle_*.deb` sets up with everything the window needs.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zorbelle)
set(CPACK_PACKAGE_VENDOR "Zorbelle")
set(CPACK_PACKAGE_CONTACT "Zorbelle <zorbelle@users.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "gathers every picture under a folder into HTML gallery pages")
# The summary heads the description; this is the text below it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Zorbelle finds the pictures in a folder and its subfolders and links them,
without copying them, from Shift_JIS HTML pages: pages at full size, pages
reduced into a box, and a list page of them all. A Japanese desktop window
and a command line drive the same options.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
# The libraries the programs and the thumbnail helper link (Qt, libjpeg,
# inih, the picture decoders) come from their own symbols; what is loaded at run time has to be named: Qt's X11 platform
# plugin, the SVG icon plugin, the opener of pages, and a Japanese font.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, libqt6svg6, xdg-utils, fonts-vlgothic | fonts-japanese-gothic")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
# What Debian asks of every package: its terms and its change log beside
# its documentation (the log compressed without name or time), binaries
# without their debugging symbols.
configure_file(${CMAKE_CURRENT_LIST_DIR}/changelog.in ${CMAKE_BINARY_DIR}/packaging/changelog @ONLY)
execute_process(COMMAND gzip -9nc ${CMAKE_BINARY_DIR}/packaging/changelog
                OUTPUT_FILE ${CMAKE_BINARY_DIR}/packaging/changelog.gz COMMAND_ERROR_IS_FATAL ANY)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright ${CMAKE_BINARY_DIR}/packaging/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/zorbelle)
set(CPACK_STRIP_FILES ON)
include(CPack)
