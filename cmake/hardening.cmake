# kvintorn_hardening: every build hardened as Debian hardens its packages,
# each flag where the compiler or the linker takes it, after the flags the
# builder gives (CXXFLAGS, LDFLAGS), which still apply: position-independent,
# the stack protected, control flow protected where the processor has it
# (x86), and relocations read-only and bound at start. _FORTIFY_SOURCE goes
# only where the build optimises, which glibc needs, and where the builder
# gives no level of their own.
kvintorn_check_pie()
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
add_library(kvintorn_hardening INTERFACE)
foreach(flag IN ITEMS
    -fstack-protector-strong -fstack-clash-protection -fcf-protection)
  string(MAKE_C_IDENTIFIER "KVINTORN_TAKES${flag}" taken)
  kvintorn_compiler_takes(${flag} ${taken})
  if(${taken})
    target_compile_options(kvintorn_hardening INTERFACE ${flag})
  endif()
endforeach()
kvintorn_linker_takes("-Wl,-z,relro,-z,now" KVINTORN_TAKES_RELRO_NOW)
if(KVINTORN_TAKES_RELRO_NOW)
  target_link_options(kvintorn_hardening INTERFACE "-Wl,-z,relro,-z,now")
endif()

# The level of _FORTIFY_SOURCE: 3 where the compiler knows object sizes that
# only the run tells, else 2.
kvintorn_compiles([[
#if !__has_builtin(__builtin_dynamic_object_size)
#error no object sizes known only at run time
#endif
int main() { return 0; }
]] KVINTORN_FORTIFY_3)
if(KVINTORN_FORTIFY_3)
  set(fortify -U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=3)
else()
  set(fortify -U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=2)
endif()

# kvintorn_optimises(CONFIG VAR): VAR is true when the flags of build type
# CONFIG ("" for none), after CMAKE_CXX_FLAGS, optimise and give no
# _FORTIFY_SOURCE. Asked anew at every configure, of the flags in force then.
function(kvintorn_optimises config var)
  string(TOUPPER "${config}" upper)
  set(flags "${CMAKE_CXX_FLAGS} ${CMAKE_CXX_FLAGS_${upper}}")
  set(${var} FALSE PARENT_SCOPE)
  if(flags MATCHES "_FORTIFY_SOURCE")
    return()
  endif()
  kvintorn_probe_alone()
  set(CMAKE_CXX_FLAGS "${flags}")
  set(answer "KVINTORN_OPTIMISED_${upper}")
  unset(${answer} CACHE)
  check_cxx_source_compiles([[
#ifndef __OPTIMIZE__
#error not optimised
#endif
int main() { return 0; }
]] ${answer})
  set(${var} ${${answer}} PARENT_SCOPE)
  unset(${answer} CACHE)
endfunction()

get_property(multi_config GLOBAL PROPERTY GENERATOR_IS_MULTI_CONFIG)
if(multi_config)
  set(optimised "")
  foreach(config IN LISTS CMAKE_CONFIGURATION_TYPES)
    kvintorn_optimises("${config}" optimises)
    if(optimises)
      list(APPEND optimised "${config}")
    endif()
  endforeach()
  if(optimised)
    list(JOIN optimised "," optimised)
    target_compile_options(kvintorn_hardening INTERFACE
      "$<$<CONFIG:${optimised}>:${fortify}>")
  endif()
else()
  kvintorn_optimises("${CMAKE_BUILD_TYPE}" optimises)
  if(optimises)
    target_compile_options(kvintorn_hardening INTERFACE ${fortify})
  endif()
endif()
