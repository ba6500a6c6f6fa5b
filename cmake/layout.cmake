# Where an installed suite puts its pieces: programs in bin/, the files the programs
# expect beside themselves in share/shellstyle-suite/. Included before the programs so
# that platform/ can find the data folder relative to an installed executable.

# The suite installs as a system package, so /usr is the default prefix (which also
# puts the configuration folder at /etc rather than /usr/local/etc).
if(CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT)
  set(CMAKE_INSTALL_PREFIX "/usr" CACHE PATH "Where the suite is installed" FORCE)
endif()
include(GNUInstallDirs)

set(SUITE_PACKAGE_NAME "shellstyle-suite")

set(SUITE_INSTALL_DATADIR "${CMAKE_INSTALL_DATADIR}/shellstyle-suite")
file(RELATIVE_PATH SUITE_DATA_FROM_BIN
  "${CMAKE_INSTALL_FULL_BINDIR}" "${CMAKE_INSTALL_FULL_DATADIR}/shellstyle-suite")

# Who answers for the package and where it lives: debian/control's Maintainer and
# Homepage, the one place to change them. The metadata and the manual pages read
# them from here.
file(STRINGS "${PROJECT_SOURCE_DIR}/debian/control" SUITE_MAINTAINER REGEX "^Maintainer: " LIMIT_COUNT 1)
file(STRINGS "${PROJECT_SOURCE_DIR}/debian/control" SUITE_HOMEPAGE REGEX "^Homepage: " LIMIT_COUNT 1)
string(REGEX REPLACE "^Maintainer: *" "" SUITE_MAINTAINER "${SUITE_MAINTAINER}")
string(REGEX REPLACE "^Homepage: *" "" SUITE_HOMEPAGE "${SUITE_HOMEPAGE}")
string(REGEX REPLACE "^.*<(.*)>$" "\\1" SUITE_MAINTAINER_EMAIL "${SUITE_MAINTAINER}")
