# Run by cpack before it makes a package. A Debian package depends on the
# libraries its program uses, as dpkg-shlibdeps finds them among the packages
# installed for the package's architecture, which need not be this
# machine's (multiarch). Where it cannot find one, no package is made; CPack's
# own search, which lets a library it cannot place go, is not used.
if(NOT CPACK_GENERATOR STREQUAL "DEB")
  return()
endif()
set(arch "${CPACK_DEBIAN_PACKAGE_ARCHITECTURE}")
if(NOT arch)
  message(FATAL_ERROR "The Debian architecture of the program's processor is "
    "not known: dpkg-architecture works it out from the compiler, and "
    "dpkg-shlibdeps the package's dependencies. Install them and configure "
    "again:\n  sudo apt-get install dpkg-dev")
endif()
set(work "${CPACK_TOPLEVEL_DIRECTORY}/libraries")
file(MAKE_DIRECTORY "${work}/debian")
file(WRITE "${work}/debian/control" "")
execute_process(COMMAND ${CMAKE_COMMAND} -E env DEB_HOST_ARCH=${arch}
    dpkg-shlibdeps -O
    "${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}/${CPACK_KVINTORN_PROGRAM}"
  WORKING_DIRECTORY "${work}" RESULT_VARIABLE failed
  OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_VARIABLE why)
file(REMOVE_RECURSE "${work}")
if(failed)
  message(FATAL_ERROR "${why}The package for ${arch} depends on the "
    "libraries of ${arch} that its program uses, which dpkg knows only once "
    "they are installed for ${arch}:\n"
    "  sudo dpkg --add-architecture ${arch}\n"
    "  sudo apt-get update\n"
    "  sudo apt-get install libstdc++6:${arch}")
endif()
# Those dependencies follow the ones the package names itself.
string(REGEX REPLACE "^shlibs:Depends=" "" found "${found}")
if(found)
  list(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS "${found}")
  list(JOIN CPACK_DEBIAN_PACKAGE_DEPENDS ", " CPACK_DEBIAN_PACKAGE_DEPENDS)
endif()
