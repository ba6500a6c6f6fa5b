# Where an installed suite puts its pieces: programs in bin/, the files the programs
# expect beside themselves in share/shellstyle-suite/. Included before the programs so
# that platform/ can find the data folder relative to an installed executable.
include(GNUInstallDirs)

set(SUITE_INSTALL_DATADIR "${CMAKE_INSTALL_DATADIR}/shellstyle-suite")
file(RELATIVE_PATH SUITE_DATA_FROM_BIN
  "${CMAKE_INSTALL_FULL_BINDIR}" "${CMAKE_INSTALL_FULL_DATADIR}/shellstyle-suite")
