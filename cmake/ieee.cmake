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

# kvintorn_needs_sse2(CONFIG VAR): VAR is true when the flags of build type
# CONFIG keep intermediates wider and SSE2 arithmetic after them does not.
# The checks are given all the flags, in the order of the build's compiles.
function(kvintorn_needs_sse2 config var)
  string(TOUPPER "${config}" upper)
  set(CMAKE_REQUIRED_FLAGS "${CMAKE_CXX_FLAGS} ${CMAKE_CXX_FLAGS_${upper}}")
  set(CMAKE_TRY_COMPILE_CONFIGURATION "${config}")
  set(CMAKE_CXX_FLAGS "")
  set(CMAKE_CXX_FLAGS_${upper} "")
  set(answers KVINTORN_IEEE_ALONE KVINTORN_IEEE_SSE2)
  foreach(answer IN LISTS answers)
    unset(${answer} CACHE)
  endforeach()
  check_cxx_source_compiles("${eval_method_check}" KVINTORN_IEEE_ALONE)
  set(needs FALSE)
  if(NOT KVINTORN_IEEE_ALONE)
    list(JOIN sse2 " " flags)
    string(APPEND CMAKE_REQUIRED_FLAGS " ${flags}")
    check_cxx_source_compiles("${eval_method_check}" KVINTORN_IEEE_SSE2)
    set(needs ${KVINTORN_IEEE_SSE2})
  endif()
  foreach(answer IN LISTS answers)
    unset(${answer} CACHE)
  endforeach()
  set(${var} ${needs} PARENT_SCOPE)
endfunction()

include(CheckCXXSourceCompiles)
get_property(multi_config GLOBAL PROPERTY GENERATOR_IS_MULTI_CONFIG)
set(KVINTORN_SSE2_CONFIGS "")
if(multi_config)
  set(configs ${CMAKE_CONFIGURATION_TYPES})
else()
  set(configs "${CMAKE_BUILD_TYPE}")
endif()
foreach(config IN LISTS configs)
  kvintorn_needs_sse2("${config}" needs)
  if(needs)
    list(APPEND KVINTORN_SSE2_CONFIGS "${config}")
  endif()
endforeach()
if(KVINTORN_SSE2_CONFIGS)
  list(JOIN KVINTORN_SSE2_CONFIGS ", " named)
  message(STATUS "Arithmetic in SSE2 (-msse2 -mfpmath=sse) for build type "
    "'${named}', whose flags would use the x87 unit: the program needs a "
    "processor with SSE2")
  if(multi_config)
    list(JOIN KVINTORN_SSE2_CONFIGS "," listed)
    target_compile_options(kvintorn_ieee INTERFACE
      "$<$<CONFIG:${listed}>:${sse2}>")
  else()
    target_compile_options(kvintorn_ieee INTERFACE ${sse2})
  endif()
endif()
