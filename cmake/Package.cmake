# The Debian package (cpack -G DEB, see scripts/package). Its Depends are found by
# dpkg-shlibdeps from the libraries the programs link, so they name exactly the Debian
# packages in use. Configure with -DCMAKE_INSTALL_PREFIX=/usr: the programs keep paths
# under the prefix they were built for.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME gnss-quorrel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Tavrenk)
set(CPACK_PACKAGE_CONTACT "GNSS Quorrel developers <gnss-quorrel@tavrenk.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_QUORREL_OBJCOPY ${CMAKE_OBJCOPY})
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/PackageStrip.cmake)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "control and status utility for serial GNSS receivers")
# CPack puts the summary above this text.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "GNSS Quorrel shows the position, satellites and signal of a GNSS receiver
board on a serial link, and sets its tracking, NMEA output, differential
correction link (UHF radio, GSM dial-up, NTRIP, direct IP, external device),
debug and raw data recording. It also drives a SiRF based module.

The package holds the program, quorrelctl (the same operations from a
terminal) and simulators of the board and the module, which the program
starts with --simulate.")
include(CPack)
