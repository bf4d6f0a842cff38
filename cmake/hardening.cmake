# kvintorn_hardening: the optimised builds hardened as Debian hardens its
# packages, each flag where the compiler or the linker takes it, after the
# flags the builder gives (CXXFLAGS, LDFLAGS), which still apply. A
# _FORTIFY_SOURCE level that the builder gives is kept; an unoptimised build
# has none.
include(CheckCXXCompilerFlag)
include(CheckCXXSourceCompiles)
include(CheckLinkerFlag)
include(CheckPIESupported)

check_pie_supported()
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
add_library(kvintorn_hardening INTERFACE)
set(optimised "$<NOT:$<CONFIG:Debug>>")
foreach(flag IN ITEMS
    -fstack-protector-strong -fstack-clash-protection -fcf-protection)
  string(MAKE_C_IDENTIFIER "KVINTORN_CXX${flag}" accepted)
  check_cxx_compiler_flag(${flag} ${accepted})
  if(${accepted})
    target_compile_options(kvintorn_hardening INTERFACE
      "$<${optimised}:${flag}>")
  endif()
endforeach()
string(TOUPPER "CMAKE_CXX_FLAGS_${CMAKE_BUILD_TYPE}" config_flags)
# _FORTIFY_SOURCE needs an optimising build (glibc warns otherwise): the
# builder's flags and those of the build type may leave one unoptimised (-O0).
set(CMAKE_REQUIRED_FLAGS "${${config_flags}}")
check_cxx_source_compiles([[
#ifndef __OPTIMIZE__
#error not optimised
#endif
int main() { return 0; }
]] KVINTORN_OPTIMISED)
unset(CMAKE_REQUIRED_FLAGS)
if(KVINTORN_OPTIMISED AND
   NOT "${CMAKE_CXX_FLAGS} ${${config_flags}}" MATCHES "_FORTIFY_SOURCE")
  check_cxx_source_compiles([[
#if !__has_builtin(__builtin_dynamic_object_size)
#error no object sizes known only at run time
#endif
int main() { return 0; }
]] KVINTORN_FORTIFY_3)
  if(KVINTORN_FORTIFY_3)
    set(fortify 3)
  else()
    set(fortify 2)
  endif()
  target_compile_options(kvintorn_hardening INTERFACE
    "$<${optimised}:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=${fortify}>")
endif()
check_linker_flag(CXX "-Wl,-z,relro,-z,now" KVINTORN_LINK_RELRO_NOW)
if(KVINTORN_LINK_RELRO_NOW)
  target_link_options(kvintorn_hardening INTERFACE
    "$<${optimised}:-Wl,-z,relro,-z,now>")
endif()
