#include "utdata.h"

#include <charconv>
#include <iterator>

// std::to_chars for floats with a precision came with GCC 11's libstdc++ and
// LLVM 14's libc++; with an older library the build stops here.
#if (defined(_GLIBCXX_RELEASE) && _GLIBCXX_RELEASE < 11) || \
    (defined(_LIBCPP_VERSION) && _LIBCPP_VERSION < 14000)
#error \
    "the C++ library lacks std::to_chars for floats with a precision: libstdc++ has it from GCC 11 on, libc++ from LLVM 14 on"
#endif

std::string tal_text(float varde) {
  char text[32];  // "-1.17549e-38" is the longest
  char* const slut = std::to_chars(std::begin(text), std::end(text), varde,
                                   std::chars_format::general, 6)
                         .ptr;
  return std::string(std::begin(text), slut);
}
