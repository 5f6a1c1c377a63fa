# `make package` (cpack -G DEB in the build folder): one Debian package with
# both programs and everything install() puts under /usr. The runtime
# dependencies come from the binaries themselves (dpkg-shlibdeps).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tilewright)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_CONTACT "Tilewright developers <tilewright@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "graphics sheet builder for RPG2K games")
set(CPACK_PACKAGE_DESCRIPTION
  "Tilewright assembles the graphics sheets of the RPG2K game engine: chipsets,\n"
  "charsets, facesets, systemsets and battle animation sets, picked cell by cell\n"
  "from source pictures on the sheet's grid and saved with the 8-bit palette the\n"
  "engine reads. tilewright-batch replays scripts of the same events without a\n"
  "window.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
set(CPACK_STRIP_FILES ON)
# The desktop, MIME and icon caches are refreshed by the triggers of
# desktop-file-utils, shared-mime-info and hicolor-icon-theme.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils, hicolor-icon-theme")
include(CPack)
