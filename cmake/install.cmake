# What `cmake --install` puts where, each file as it is: the program, the
# manual pages in English and Swedish, and the changelog and the licence (in
# Debian's machine-readable format). The Debian package compresses them as
# debhelper does.
include(GNUInstallDirs)
install(TARGETS kvintorn RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES man/kvintorn.1 DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
install(FILES man/sv/kvintorn.1 DESTINATION "${CMAKE_INSTALL_MANDIR}/sv/man1")
install(FILES debian/changelog debian/copyright
  DESTINATION "${CMAKE_INSTALL_DOCDIR}")
