# "cpack -G DEB" in the build folder: selenarc_<version>_amd64.deb, installed under /usr, with the
# library dependencies computed from the executable by dpkg-shlibdeps.
install(FILES app/org.selenarc.Selenarc.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR} RENAME copyright)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME selenarc)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "trois cycles astrologiques de la vie, dessinés et expliqués")
set(CPACK_PACKAGE_DESCRIPTION "Selenarc montre à une personne son cycle soli-lunaire progressé, \
ses cycles de Jupiter et de Saturne en cadrans, et les explique en français.")
set(CPACK_PACKAGE_CONTACT "Les mainteneurs de Selenarc")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The dial labels need a font with the accents; Qt's own dialogs in French when installed.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core, qt6-translations-l10n")
include(CPack)
