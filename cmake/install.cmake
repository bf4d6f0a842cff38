# What `cmake --install` puts where: the program, the manual pages in English
# and Swedish, and the changelog and the copyright file, as the Debian
# package has them.
include(GNUInstallDirs)

install(TARGETS kvintorn RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

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
install_gzipped(debian/changelog "${CMAKE_INSTALL_DOCDIR}")
get_property(gzipped GLOBAL PROPERTY kvintorn_gzipped)
add_custom_target(gzipped ALL DEPENDS ${gzipped})

# The licence, in Debian's machine-readable format.
install(FILES debian/copyright DESTINATION "${CMAKE_INSTALL_DOCDIR}")
