# Read by cpack. Unless SOURCE_DATE_EPOCH is set, the package's timestamps
# are the time of the last commit or, outside a git checkout, the date of the
# changelog's newest entry: every build of the same sources makes the same
# bytes.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  set(source "${CPACK_KVINTORN_SOURCE_DIR}")
  # Whoever builds: git answers about a checkout of another user's too.
  set(git git -c safe.directory=*)
  execute_process(COMMAND ${git} rev-parse --show-toplevel
    WORKING_DIRECTORY "${source}" OUTPUT_VARIABLE top
    OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  set(epoch "")
  # git names the top level by its real path, without symbolic links.
  file(REAL_PATH "${source}" real_source)
  if(top AND top STREQUAL real_source)
    execute_process(COMMAND ${git} log -1 --format=%ct
      WORKING_DIRECTORY "${source}" OUTPUT_VARIABLE epoch
      OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  endif()
  if(NOT epoch MATCHES "^[0-9]+$")
    file(STRINGS "${source}/changelog" trailer REGEX "^ -- " LIMIT_COUNT 1)
    string(REGEX REPLACE "^ -- .*>  " "" date "${trailer}")
    execute_process(COMMAND date -d "${date}" +%s OUTPUT_VARIABLE epoch
      OUTPUT_STRIP_TRAILING_WHITESPACE)
  endif()
  set(ENV{SOURCE_DATE_EPOCH} "${epoch}")
endif()
