# Asking the compiler and the linker what they take, with the builder's flags
# (CXXFLAGS, LDFLAGS, CMAKE_CXX_FLAGS and those of the build type) out of the
# way: a flag of theirs that the compiler only warns about (clang's
# -ffat-lto-objects, a C-only warning given to g++) would count against every
# flag asked about, and the answer, cached, would outlive the flags it was
# asked with. The project's flags come after the builder's on every command.
include(CheckCXXCompilerFlag)
include(CheckCXXSourceCompiles)
include(CheckLinkerFlag)
include(CheckPIESupported)

# In the caller's scope: no flags but the compiler's own for the checks that
# follow, which build in a configuration that the generator has (the first
# of a multi-configuration generator's, else Debug), its flags cleared too.
macro(kvintorn_probe_alone)
  set(CMAKE_TRY_COMPILE_CONFIGURATION Debug)
  if(CMAKE_CONFIGURATION_TYPES)
    list(GET CMAKE_CONFIGURATION_TYPES 0 CMAKE_TRY_COMPILE_CONFIGURATION)
  endif()
  string(TOUPPER "${CMAKE_TRY_COMPILE_CONFIGURATION}" kvintorn_probe_config)
  set(CMAKE_CXX_FLAGS "")
  set(CMAKE_CXX_FLAGS_${kvintorn_probe_config} "")
  set(CMAKE_EXE_LINKER_FLAGS "")
  set(CMAKE_EXE_LINKER_FLAGS_${kvintorn_probe_config} "")
  set(CMAKE_REQUIRED_FLAGS "")
  set(CMAKE_REQUIRED_DEFINITIONS "")
  set(CMAKE_REQUIRED_LINK_OPTIONS "")
endmacro()

# kvintorn_compiler_takes(FLAG VAR): VAR is true when the compiler takes FLAG.
function(kvintorn_compiler_takes flag var)
  kvintorn_probe_alone()
  check_cxx_compiler_flag(${flag} ${var})
endfunction()

# kvintorn_linker_takes(FLAG VAR): VAR is true when the linker takes FLAG.
function(kvintorn_linker_takes flag var)
  kvintorn_probe_alone()
  check_linker_flag(CXX ${flag} ${var})
endfunction()

# kvintorn_compiles(SOURCE VAR): VAR is true when SOURCE compiles and links.
function(kvintorn_compiles source var)
  kvintorn_probe_alone()
  check_cxx_source_compiles("${source}" ${var})
endfunction()

# Whether the linker makes position-independent programs (CMAKE_CXX_LINK_PIE_SUPPORTED).
function(kvintorn_check_pie)
  kvintorn_probe_alone()
  check_pie_supported()
endfunction()
