# kvintorn_ieee: floating-point arithmetic as IEEE 754 has it, on every
# processor: each operation on doubles rounded to double, and none fused with
# the next. The x87 unit of 32-bit x86 keeps intermediates wider; SSE2 does
# not. KVINTORN_EVAL_METHOD_SSE2 tells whether the build had to select SSE2,
# which then limits the program to processors that have it: all that Debian
# 13's i386 port runs on, but not all of Debian 12's (i686 without MMX or
# SSE), which is why the package then depends on sse2-support.
add_library(kvintorn_ieee INTERFACE)
set(eval_method_check [[
#include <cfloat>
#if !defined(FLT_EVAL_METHOD) || (FLT_EVAL_METHOD != 0 && FLT_EVAL_METHOD != 1)
#error intermediates are kept wider than double
#endif
int main() { return 0; }
]])
check_cxx_source_compiles("${eval_method_check}" KVINTORN_EVAL_METHOD_IEEE)
if(NOT KVINTORN_EVAL_METHOD_IEEE)
  set(CMAKE_REQUIRED_FLAGS "-msse2 -mfpmath=sse")
  check_cxx_source_compiles("${eval_method_check}" KVINTORN_EVAL_METHOD_SSE2)
  unset(CMAKE_REQUIRED_FLAGS)
  if(KVINTORN_EVAL_METHOD_SSE2)
    message(STATUS "Arithmetic in SSE2 (-msse2 -mfpmath=sse), since the x87 "
      "unit keeps intermediates wider and would change the report's figures: "
      "the program needs a processor with SSE2")
    target_compile_options(kvintorn_ieee INTERFACE -msse2 -mfpmath=sse)
  endif()
endif()
# After the flags the builder gives (CXXFLAGS: -ffast-math, -Ofast and the
# like), on every compile: no operation reordered, replaced by a reciprocal
# or fused, and infinities, NaNs and signed zeros kept. A compiler that does
# not take one of them cannot be trusted with the figures, and the build
# stops. src/ieee.h stops it too where the compiler still says otherwise.
foreach(flag IN ITEMS -fno-unsafe-math-optimizations -fno-associative-math
    -fno-reciprocal-math -fno-finite-math-only -fsigned-zeros
    -ffp-contract=off)
  string(MAKE_C_IDENTIFIER "KVINTORN_TAKES${flag}" taken)
  kvintorn_compiler_takes(${flag} ${taken})
  if(NOT ${taken})
    message(FATAL_ERROR "${CMAKE_CXX_COMPILER} does not take ${flag}, without "
      "which the figures may differ from those of IEEE arithmetic")
  endif()
  target_compile_options(kvintorn_ieee INTERFACE ${flag})
endforeach()
