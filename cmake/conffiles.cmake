# Run by CPack between staging the files and building the .deb: every file the
# package puts under /etc is a configuration file dpkg must keep if the user edits it.
file(GLOB_RECURSE _etc LIST_DIRECTORIES false RELATIVE "${CPACK_TEMPORARY_DIRECTORY}"
  "${CPACK_TEMPORARY_DIRECTORY}/etc/*")
if(_etc)
  list(SORT _etc)
  list(TRANSFORM _etc PREPEND "/")
  list(JOIN _etc "\n" _list)
  file(WRITE "${CPACK_SUITE_CONFFILES}" "${_list}\n")
  set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA "${CPACK_SUITE_CONFFILES}")
endif()
