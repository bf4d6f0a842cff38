# kvintorn_warnings: the warnings every target of the project is built with.
# Presets may turn them into errors with CMAKE_COMPILE_WARNING_AS_ERROR.
add_library(kvintorn_warnings INTERFACE)
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  target_compile_options(kvintorn_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion)
endif()
