#ifndef KVINTORN_IEEE_H
#define KVINTORN_IEEE_H

#include <cfloat>

// Included by every unit that computes with floats: the build stops, naming
// the cause, where the compiler says that its arithmetic on doubles is not
// IEEE 754's, which would change the figures (cmake/ieee.cmake asks for it).

// The x87 unit of x86 keeps intermediates wider (FLT_EVAL_METHOD 2),
// and its results differ in the last digit.
static_assert(FLT_EVAL_METHOD == 0 || FLT_EVAL_METHOD == 1,
              "floating-point intermediates are kept wider than double "
              "(FLT_EVAL_METHOD is not 0 or 1): on x86 build with SSE2 "
              "arithmetic, -msse2 -mfpmath=sse");

#if defined(__FAST_MATH__) || defined(__ASSOCIATIVE_MATH__) || \
    defined(__RECIPROCAL_MATH__) || defined(__NO_SIGNED_ZEROS__)
constexpr bool ieee_omordnad = true;
#else
constexpr bool ieee_omordnad = false;
#endif
static_assert(!ieee_omordnad,
              "the compiler says floating-point operations may be reordered "
              "or replaced "
              "(-ffast-math, -Ofast, -funsafe-math-optimizations, "
              "-fassociative-math, -freciprocal-math or -fno-signed-zeros), "
              "which changes the figures: build without them, or with "
              "-fno-unsafe-math-optimizations after them, as CMake does");

#if defined(__FINITE_MATH_ONLY__) && __FINITE_MATH_ONLY__
constexpr bool ieee_andlig = true;
#else
constexpr bool ieee_andlig = false;
#endif
static_assert(!ieee_andlig,
              "infinities and NaNs are assumed away (-ffinite-math-only, "
              "part of -ffast-math and -Ofast), which lets the reader take a "
              "number past the float range: build without it, or with "
              "-fno-finite-math-only after it, as CMake does");

#endif
