# `cpack -G DEB` in a build folder makes zorbelle_<version>_<arch>.deb, which
# `apt install ./zorbelle_*.deb` sets up with everything the window needs.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zorbelle)
set(CPACK_PACKAGE_VENDOR "Zorbelle")
set(CPACK_PACKAGE_CONTACT "Zorbelle <zorbelle@users.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "gathers every picture under a folder into HTML gallery pages")
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
include(CPack)
