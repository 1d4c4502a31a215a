# The Debian package of everything installed: cpack -G DEB in the build folder.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zarosim)
set(CPACK_PACKAGE_VENDOR "The ZaroSim Project")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "electric-circuit simulator with Japanese user interface")
set(CPACK_PACKAGE_DESCRIPTION
    "ZaroSim draws circuits of resistors, capacitors, inductors, sources, meters, lamps,\n\
diodes, LEDs, Zener diodes and transistors, and runs linear and non-linear DC and\n\
AC analyses. Device values are expressions with unit prefixes and variables.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The ZaroSim Project")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads its window-system plugins at run time, where dpkg-shlibdeps cannot see them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils, xdg-utils")
include(CPack)
