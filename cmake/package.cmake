# The Debian package: everything the install rules put in place, with Depends
# found by dpkg-shlibdeps. scripts/package.sh builds it into build/.
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "${SUITE_PACKAGE_NAME}")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DIRECTORY "${CMAKE_BINARY_DIR}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Chinese desktop utilities: icon styler, picture filters, typing, clock")
set(CPACK_PACKAGE_DESCRIPTION "Five small desktop programs with Simplified Chinese windows:
shellstyle changes the icons of shell items and applies an XP look
from its icon library; imagefx filters BMP and JPEG pictures and sets
the wallpaper; systune turns 22 shell policies and tweaks on or off;
typedrill is a five-stroke (Wubi) typing trainer; timekeeper is a
clock with a stopwatch and an alarm. reg reads and writes the suite's
registry store from the command line.")
set(SUITE_PACKAGE_MAINTAINER "shellstyle suite maintainers <maintainers@shellstyle-suite.example>"
  CACHE STRING "The Maintainer field of the Debian package")
set(CPACK_PACKAGE_CONTACT "${SUITE_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${SUITE_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_FILE_NAME "DEB-DEFAULT")
set(CPACK_DEBIAN_PACKAGE_SECTION "utils")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Chinese glyphs and Qt's own strings in Chinese: the windows work without them, but
# look wrong.
# gsettings carries the chosen icons and switches to GNOME-family desktops.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk, qt6-translations-l10n, libglib2.0-bin, dconf-gsettings-backend")
# Configuration paths (/etc) are fixed when the build is configured, from its prefix.
if(NOT CMAKE_INSTALL_PREFIX STREQUAL "/usr")
  message(WARNING "CMAKE_INSTALL_PREFIX is ${CMAKE_INSTALL_PREFIX}: a package built here "
    "puts its configuration files under ${CMAKE_INSTALL_FULL_SYSCONFDIR} instead of /etc. "
    "scripts/configure.sh sets /usr.")
endif()
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_INSTALL_PREFIX "/usr")
# Install with DESTDIR into the staging folder, so absolute destinations such as
# /etc/xdg/autostart land inside the package too.
set(CPACK_SET_DESTDIR ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE "xz")
# Files under /etc are listed as conffiles once they are staged.
set(CPACK_SUITE_CONFFILES "${CMAKE_BINARY_DIR}/package-control/conffiles")
set(CPACK_PRE_BUILD_SCRIPTS "${CMAKE_CURRENT_LIST_DIR}/conffiles.cmake")
include(CPack)
