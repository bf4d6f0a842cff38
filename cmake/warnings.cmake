# kvintorn_warnings: the warnings the sources are kept free of, with g++ and
# clang++, where KVINTORN_WARNINGS asks for them (the presets do); presets
# may make them errors with CMAKE_COMPILE_WARNING_AS_ERROR.
option(KVINTORN_WARNINGS "Build with the warnings the sources are kept free of" OFF)
add_library(kvintorn_warnings INTERFACE)
if(KVINTORN_WARNINGS)
  target_compile_options(kvintorn_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion)
endif()
