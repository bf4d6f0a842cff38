# kvintorn_ieee: floating-point arithmetic as IEEE 754 has it, on every
# processor and whatever flags the builder gives: each operation on doubles
# rounded to double, none reordered, replaced by a reciprocal or fused, and
# infinities, NaNs and signed zeros kept; on x86, in SSE2, since the x87 unit
# keeps intermediates wider (on 32-bit x86 the program then needs a processor
# with SSE2; on x86-64 SSE2 is the default already). Beside the warnings that
# KVINTORN_WARNINGS asks for, these are the only flags the build adds of its
# own, after the builder's on every compile, and src/ieee.h stops a build
# whose compiler still says otherwise.
add_library(kvintorn_ieee INTERFACE)
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "^(GNU|Clang)$")
  message(FATAL_ERROR "The build knows how to ask g++ and clang++ for IEEE "
    "arithmetic, not ${CMAKE_CXX_COMPILER_ID}'s compiler")
endif()
target_compile_options(kvintorn_ieee INTERFACE
  -fno-unsafe-math-optimizations -fno-associative-math -fno-reciprocal-math
  -fno-finite-math-only -fsigned-zeros -ffp-contract=off)
set(KVINTORN_X86 FALSE)
if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(i[3-6]86|x86|x86_64|AMD64|amd64)$")
  set(KVINTORN_X86 TRUE)
  target_compile_options(kvintorn_ieee INTERFACE -msse2 -mfpmath=sse)
endif()
