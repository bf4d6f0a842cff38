# Run by cpack before and after it makes a package: the modes of what goes
# into the package are 0755 for folders and programs and 0644 for other
# files, whatever the umask of whoever builds it. Install sets the modes of
# files; cpack makes folders and the members of a .deb with the umask's.
if(NOT DEFINED CPACK_PACKAGE_FILES)
  # Before: the folders staged for the package.
  file(GLOB_RECURSE folders LIST_DIRECTORIES true "${CPACK_TEMPORARY_DIRECTORY}/*")
  list(APPEND folders "${CPACK_TEMPORARY_DIRECTORY}")
  foreach(folder IN LISTS folders)
    if(IS_DIRECTORY "${folder}" AND NOT IS_SYMLINK "${folder}")
      file(CHMOD "${folder}" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
        GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
    endif()
  endforeach()
  return()
endif()

# After: each package file itself, and the members of each .deb, an ar
# archive. A member's header, 60 characters, holds its mode in octal from the
# 41st and its size from the 49th; the member follows, padded to an even size.
file(WRITE "${CPACK_TOPLEVEL_DIRECTORY}/member-mode" "100644  ")
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  file(CHMOD "${package}" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
  if(NOT package MATCHES "\\.deb$")
    continue()
  endif()
  file(SIZE "${package}" end)
  set(header 8)  # after "!<arch>\n"
  while(header LESS end)
    file(READ "${package}" fields OFFSET ${header} LIMIT 60)
    string(SUBSTRING "${fields}" 40 8 mode)
    string(SUBSTRING "${fields}" 48 10 size)
    string(STRIP "${size}" size)
    if(NOT mode STREQUAL "100644  ")
      math(EXPR at "${header} + 40")
      execute_process(COMMAND dd "of=${package}" bs=1 seek=${at} count=8
          conv=notrunc status=none
        INPUT_FILE "${CPACK_TOPLEVEL_DIRECTORY}/member-mode"
        COMMAND_ERROR_IS_FATAL ANY)
    endif()
    math(EXPR header "${header} + 60 + ${size} + ${size} % 2")
  endwhile()
endforeach()
