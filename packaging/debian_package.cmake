# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package of everything installed: tamsor_<version>_<arch>.deb,
# made by cpack (scripts/package) from a build configured with the install
# prefix /usr.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tamsor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "TAMSOR")
set(CPACK_PACKAGE_CONTACT "${TAMSOR_MAINTAINER}")  # packaging/CMakeLists.txt
set(CPACK_PACKAGE_HOMEPAGE_URL "https://github.com/tamsor/tamsor")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "group the isolators of a seismically isolated building into isolator types")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_VERBATIM_VARIABLES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The shared libraries the programs link (Qt Widgets, Gui, Core, Charts, xxHash,
# the C and C++ runtimes) found by dpkg-shlibdeps; the engine library, which it
# finds through tamsor-batch's run path, is the package's own. Qt loads its
# platform plugins at run time, out of the linker's sight: the X11 one comes
# with qt6-qpa-plugins, the Wayland one with qt6-wayland.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(TAMSOR_FRONTEND)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
endif()
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "TAMSOR helps structural engineers design seismically isolated buildings. It
reads the sustained loads of up to 100,000 isolators from an input data file
(*.DAT) or from a load table, groups the isolators into 1 to 9 isolator types
of similar load, and shows the groupings in a results table, a load plot, a
variance plot and bar and pie charts. The command-line tool tamsor-batch runs
the same techniques from scripts. Sample buildings are in
/usr/share/tamsor/examples.")

include(CPack)
