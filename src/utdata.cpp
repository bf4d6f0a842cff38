#include "utdata.h"

#include <charconv>
#include <iterator>

std::string tal_text(float varde) {
  char text[32];  // "-1.17549e-38" is the longest
  char* const slut = std::to_chars(std::begin(text), std::end(text), varde,
                                   std::chars_format::general, 6)
                         .ptr;
  return std::string(std::begin(text), slut);
}
