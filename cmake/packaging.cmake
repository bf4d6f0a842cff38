# What `cmake --install` puts where (the program, the manual pages in English
# and Swedish, the changelog and the copyright file), and the Debian package
# made of it: `cpack -G DEB` in a configured build, or `cpack --preset deb`.
include(GNUInstallDirs)

install(TARGETS kvintorn RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# A stripped install, such as the package's, also drops the sections that
# only name the compiler, as Debian's own packaging does.
if(CMAKE_STRIP)
  install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
      execute_process(COMMAND \"${CMAKE_STRIP}\"
        --remove-section=.comment --remove-section=.note
        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/$<TARGET_FILE_NAME:kvintorn>\")
    endif()")
endif()

# A file of the sources installed gzipped, as Debian keeps manual pages and
# changelogs, where gzip is at hand, and as it is where it is not.
find_program(GZIP gzip)
function(install_gzipped source destination)
  set(file "${PROJECT_SOURCE_DIR}/${source}")
  if(GZIP)
    set(file "${PROJECT_BINARY_DIR}/${source}.gz")
    get_filename_component(built "${file}" DIRECTORY)
    add_custom_command(OUTPUT "${file}"
      COMMAND ${CMAKE_COMMAND} -E make_directory "${built}"
      COMMAND "${GZIP}" -9nc "${PROJECT_SOURCE_DIR}/${source}" > "${file}"
      DEPENDS "${source}" VERBATIM)
    set_property(GLOBAL APPEND PROPERTY kvintorn_gzipped "${file}")
  endif()
  install(FILES "${file}" DESTINATION "${destination}")
endfunction()

install_gzipped(man/kvintorn.1 "${CMAKE_INSTALL_MANDIR}/man1")
install_gzipped(man/sv/kvintorn.1 "${CMAKE_INSTALL_MANDIR}/sv/man1")
install_gzipped(changelog "${CMAKE_INSTALL_DOCDIR}")
get_property(gzipped GLOBAL PROPERTY kvintorn_gzipped)
add_custom_target(gzipped ALL DEPENDS ${gzipped})

# The licence, in Debian's machine-readable copyright format.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS LICENSE)
file(READ LICENSE license)
string(REGEX MATCH "Copyright \\(c\\) ([^\n]*)" holder "${license}")
set(holder "${CMAKE_MATCH_1}")
string(REGEX REPLACE "^.*\n\n(Permission)" "\\1" license "${license}")
string(STRIP "${license}" license)
string(REPLACE "\n\n" "\n.\n" license "${license}")
string(REPLACE "\n" "\n " license "${license}")
file(CONFIGURE OUTPUT copyright @ONLY CONTENT [[
Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: @PROJECT_NAME@

Files: *
Copyright: @holder@
License: Expat
 @license@
]])
install(FILES "${PROJECT_BINARY_DIR}/copyright"
  DESTINATION "${CMAKE_INSTALL_DOCDIR}")

set(CPACK_PACKAGE_NAME kvintorn)
set(CPACK_PACKAGE_VENDOR "Kvintorns utvecklarlag")
set(CPACK_PACKAGE_CONTACT "Kvintorns utvecklarlag")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "yearly interest cost of a loan, and how much of it tax can write off")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Kvintorn is a small interactive console program in Swedish. It asks for\n"
  "the sum of a loan in kronor and its yearly interest rate in percent, shows\n"
  "them with a tax rate of 30 percent that can be corrected, and on\n"
  "confirmation reports the yearly interest cost and how many kronor of it\n"
  "can be written off against tax already paid. It reads standard input word\n"
  "by word, so scripts can pipe whole dialogues through it, and writes\n"
  "ISO-8859-1.")
# The package is for the processor the program is built for, which a cross
# build makes other than this machine's: its Debian architecture comes from
# the compiler's target, with the flags the builder gives (-m32, say).
find_program(DPKG_ARCHITECTURE dpkg-architecture)
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE "")
if(DPKG_ARCHITECTURE)
  separate_arguments(target_flags UNIX_COMMAND "${CMAKE_CXX_FLAGS}")
  if(CMAKE_CXX_COMPILER_TARGET)
    list(APPEND target_flags "--target=${CMAKE_CXX_COMPILER_TARGET}")
  endif()
  foreach(question IN ITEMS -print-multiarch -dumpmachine)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} ${target_flags} ${question}
      OUTPUT_VARIABLE target OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    if(target)
      break()
    endif()
  endforeach()
  execute_process(COMMAND ${DPKG_ARCHITECTURE} -t "${target}" -qDEB_HOST_ARCH
    OUTPUT_VARIABLE CPACK_DEBIAN_PACKAGE_ARCHITECTURE
    OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
endif()
# Arithmetic in SSE2 on 32-bit x86: Debian's sse2-support refuses the
# package where the processor lacks it, rather than the program failing.
if(KVINTORN_EVAL_METHOD_SSE2)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS sse2-support)
endif()
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_STRIP_FILES ON)
set(CPACK_KVINTORN_SOURCE_DIR "${PROJECT_SOURCE_DIR}")
set(CPACK_KVINTORN_PROGRAM "${CMAKE_INSTALL_BINDIR}/kvintorn${CMAKE_EXECUTABLE_SUFFIX}")
set(CPACK_PRE_BUILD_SCRIPTS "${PROJECT_SOURCE_DIR}/cmake/package_modes.cmake"
  "${PROJECT_SOURCE_DIR}/cmake/package_libraries.cmake")
set(CPACK_POST_BUILD_SCRIPTS "${PROJECT_SOURCE_DIR}/cmake/package_modes.cmake")
set(CPACK_PROJECT_CONFIG_FILE "${PROJECT_SOURCE_DIR}/cmake/source_date_epoch.cmake")
include(CPack)
