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
