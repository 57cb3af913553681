# The Debian package: `cpack -G DEB` in the build folder makes
# trajectel_<version>_<arch>.deb, installed under /usr. Included by the
# top-level CMakeLists.txt, after every install rule.

set(CPACK_PACKAGE_NAME trajectel)
set(CPACK_PACKAGE_VENDOR "Trajectel")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "éphéméride d'une comète ou d'une petite planète")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Équipe Trajectel <trajectel@trajectel.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
string(CONCAT CPACK_DEBIAN_PACKAGE_DESCRIPTION
       "Trajectel calcule l'éphéméride d'une comète ou d'une petite planète à partir\n"
       "de ses éléments d'orbite héliocentriques : date, ascension droite et\n"
       "déclinaison, distance à la Terre, dérives, magnitudes et réglages des\n"
       "télescopes de l'association. Le programme trajectel-ephemeride calcule la\n"
       "même éphéméride sans fenêtre, en texte, en TSV ou en PDF.")
# The libraries the programs link come from dpkg-shlibdeps; the toolkit's
# plugins are loaded at run time, so they are named here: the SVG icon
# engine, and the French texts of the toolkit's dialogs.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-dejavu-core")

include(CPack)
