# The Debian package: `cpack -G DEB` in a build folder (after building it)
# writes memvault_<version>_<arch>.deb there. Its dependencies are worked out
# from the programs by dpkg-shlibdeps (package dpkg-dev), which CPack finds
# through `file`.
set(MEMVAULT_PACKAGE_MAINTAINER "MEMVAULT developers <dev@memvault.example.org>"
  CACHE STRING "Maintainer named in the Debian package")

set(CPACK_PACKAGE_NAME memvault)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "MEMVAULT developers")
set(CPACK_PACKAGE_CONTACT ${MEMVAULT_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_HOMEPAGE_URL "https://memvault.example.org/")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "memory manager for the Yaesu FT-450 transceiver")
# Debian wants the long description in lines of under 80 characters.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "MEMVAULT reads the 500 memories and the four PMS memories of a Yaesu FT-450"
  "or FT-450D HF/50 MHz transceiver over its CAT cable, shows them in a table"
  "for editing, sorting and searching, keeps them as memory files (*.450) and"
  "writes them back to the radio, sending only the memories that differ. It"
  "proposes repeater shifts and modes from the frequency, and imports and"
  "exports CSV files."
  "."
  "The package also holds memvault-cli, the same transfers and conversions for"
  "scripts, and ft450sim, a simulated FT-450 on a pseudo-terminal with a sample"
  "memory set, for trying everything without a radio.")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_FILE_NAME "memvault_${PROJECT_VERSION}")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Installed through DESTDIR, so that the install step leaves the desktop's MIME
# and application caches to the package triggers instead of building them into
# the package.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX ${CPACK_PACKAGING_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${MEMVAULT_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window cannot open without a Qt platform plugin, which no program links.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")

include(CPack)
