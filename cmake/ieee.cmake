# kvintorn_ieee: floating-point arithmetic as IEEE 754 has it, on every
# processor and whatever flags the builder gives: each operation on doubles
# rounded to double, none reordered, replaced by a reciprocal or fused, and
# infinities, NaNs and signed zeros kept. These are the only flags the build
# adds of its own, after the builder's on every compile.
add_library(kvintorn_ieee INTERFACE)
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "^(GNU|Clang)$")
  message(FATAL_ERROR "The build knows how to ask g++ and clang++ for IEEE "
    "arithmetic, not ${CMAKE_CXX_COMPILER_ID}'s compiler")
endif()
target_compile_options(kvintorn_ieee INTERFACE
  -fno-unsafe-math-optimizations -fno-associative-math -fno-reciprocal-math
  -fno-finite-math-only -fsigned-zeros -ffp-contract=off)

# The x87 unit of x86 keeps intermediates wider than double, SSE2 does not.
# Where the flags in force for a build type would use the x87 unit (32-bit
# x86, or -mfpmath=387), its builds get -msse2 -mfpmath=sse, and the program
# then needs a processor with SSE2. Decided anew at each configure, for each
# build type of the generator (CMAKE_CXX_FLAGS and the build type's).
set(eval_method_check [[
#include <cfloat>
#if !defined(FLT_EVAL_METHOD) || (FLT_EVAL_METHOD != 0 && FLT_EVAL_METHOD != 1)
#error intermediates are kept wider than double
#endif
int main() { return 0; }
]])
set(sse2 -msse2 -mfpmath=sse)

# kvintorn_ieee_with(FLAGS VAR): VAR is true when a compile with FLAGS keeps
# no intermediate wider than double. Asked anew each time, never cached.
function(kvintorn_ieee_with flags var)
  set(CMAKE_REQUIRED_FLAGS "${flags}")
  unset(KVINTORN_IEEE CACHE)
  check_cxx_source_compiles("${eval_method_check}" KVINTORN_IEEE)
  set(${var} ${KVINTORN_IEEE} PARENT_SCOPE)
  unset(KVINTORN_IEEE CACHE)
endfunction()

# kvintorn_needs_sse2(CONFIG VAR): VAR is true when the flags of build type
# CONFIG ("" for none) keep intermediates wider and SSE2 arithmetic after
# them does not. The checks are given all the flags, in the order of the
# build's compiles, and build in a configuration whose own flags are cleared.
function(kvintorn_needs_sse2 config var)
  string(TOUPPER "${config}" upper)
  set(flags "${CMAKE_CXX_FLAGS} ${CMAKE_CXX_FLAGS_${upper}}")
  set(CMAKE_TRY_COMPILE_CONFIGURATION "${config}")
  if(NOT config)
    set(CMAKE_TRY_COMPILE_CONFIGURATION None)
  endif()
  string(TOUPPER "${CMAKE_TRY_COMPILE_CONFIGURATION}" try_upper)
  set(CMAKE_CXX_FLAGS "")
  set(CMAKE_CXX_FLAGS_${try_upper} "")
  kvintorn_ieee_with("${flags}" alone)
  set(needs FALSE)
  if(NOT alone)
    list(JOIN sse2 " " sse2_flags)
    kvintorn_ieee_with("${flags} ${sse2_flags}" needs)
  endif()
  set(${var} ${needs} PARENT_SCOPE)
endfunction()

get_property(multi_config GLOBAL PROPERTY GENERATOR_IS_MULTI_CONFIG)
if(multi_config)
  set(sse2_configs "")
  foreach(config IN LISTS CMAKE_CONFIGURATION_TYPES)
    kvintorn_needs_sse2("${config}" needs)
    if(needs)
      list(APPEND sse2_configs "${config}")
    endif()
  endforeach()
  if(sse2_configs)
    list(JOIN sse2_configs "," listed)
    target_compile_options(kvintorn_ieee INTERFACE "$<$<CONFIG:${listed}>:${sse2}>")
  endif()
else()
  kvintorn_needs_sse2("${CMAKE_BUILD_TYPE}" needs)
  set(sse2_configs "")
  if(needs)
    set(sse2_configs "${CMAKE_BUILD_TYPE}")
    if(NOT CMAKE_BUILD_TYPE)
      set(sse2_configs "none")
    endif()
    target_compile_options(kvintorn_ieee INTERFACE ${sse2})
  endif()
endif()
# Whether any build type got SSE2 arithmetic; the tests then check that the
# x87 unit is refused.
set(KVINTORN_SSE2 FALSE)
if(sse2_configs)
  set(KVINTORN_SSE2 TRUE)
  list(JOIN sse2_configs ", " named)
  message(STATUS "Arithmetic in SSE2 (-msse2 -mfpmath=sse) for the build "
    "types whose flags would use the x87 unit (${named}): the program needs "
    "a processor with SSE2")
endif()
