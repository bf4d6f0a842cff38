#include "indata.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <limits>
#include <streambuf>
#include <string>

namespace {

using traits = std::char_traits<char>;

// Significant digits kept of a number. A value halfway between two
// neighbouring floats has at most 113 significant digits, so 120 digits, and
// one more standing for any non-zero digit dropped after them, round to the
// same float as the whole run.
const std::size_t siffror_max = 120;

// The significant digits kept of a number, and the one standing for those
// dropped.
struct Siffror {
  char tecken[siffror_max + 1];
  std::size_t antal = 0;
};

// The exponent typed is counted up to here; past it the value is 0 or
// infinite whatever the digits before it.
const long long exponent_max = 1000000000000000;

bool siffra(int c) { return c >= '0' && c <= '9'; }

bool blanktecken(int c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' ||
         c == '\f';
}

// Takes the characters of the word from `c`, the character at the read
// position of `buf`, up to whitespace or the end; returns the one that ends
// it.
int hoppa_over_ord(std::streambuf& buf, int c) {
  while (c != traits::eof() && !blanktecken(c)) {
    c = buf.snextc();
  }
  return c;
}

// Reads a mantissa from `c`, the character at the read position of `buf`:
// digits, a point and digits. At most siffror_max significant digits go to
// `siffror`, then a 1 if a non-zero digit was dropped after them, and `skala`
// becomes the power of ten to multiply them with. `har_siffra` tells whether
// there was any digit at all. Returns the character after the mantissa.
int las_mantissa(std::streambuf& buf, int c, Siffror& siffror, long long& skala,
                 bool& har_siffra) {
  bool decimal = false;
  bool slappt = false;
  for (;; c = buf.snextc()) {
    if (c == '.' && !decimal) {
      decimal = true;
      continue;
    }
    if (!siffra(c)) {
      break;
    }
    har_siffra = true;
    if (siffror.antal == 0 && c == '0') {  // a leading zero
      skala -= decimal ? 1 : 0;
    } else if (siffror.antal < siffror_max) {
      siffror.tecken[siffror.antal++] = traits::to_char_type(c);
      skala -= decimal ? 1 : 0;
    } else {  // a digit dropped
      slappt = slappt || c != '0';
      skala += decimal ? 0 : 1;
    }
  }
  if (slappt) {
    siffror.tecken[siffror.antal++] = '1';
    --skala;
  }
  return c;
}

// Reads an exponent from `c` on, if one begins there: e or E, a sign and
// digits, and adds it to `skala`. `hel` is false when the letter has no
// digit after it. Returns the character after the exponent.
int las_exponent(std::streambuf& buf, int c, long long& skala, bool& hel) {
  if (c != 'e' && c != 'E') {
    return c;
  }
  c = buf.snextc();
  const bool negativ = c == '-';
  if (c == '+' || c == '-') {
    c = buf.snextc();
  }
  long long exponent = 0;
  hel = siffra(c);
  for (; siffra(c); c = buf.snextc()) {
    exponent = std::min(exponent * 10 + (c - '0'), exponent_max);
  }
  skala += negativ ? -exponent : exponent;
  return c;
}

}  // namespace

bool las_tal(std::istream& in, float& tal) {
  const std::istream::sentry vakt(in);
  if (!vakt) {
    return false;
  }
  std::streambuf& buf = *in.rdbuf();
  int c = buf.sgetc();
  const bool negativ = c == '-';
  if (c == '+' || c == '-') {
    c = buf.snextc();
  }
  Siffror siffror;
  long long skala = 0;
  bool har_siffra = false;
  bool exponent_hel = true;
  c = las_mantissa(buf, c, siffror, skala, har_siffra);
  c = las_exponent(buf, c, skala, exponent_hel);

  // The digits and the power of ten go to std::strtof as text, which rounds
  // to the nearest float.
  char text[siffror_max + 32];
  std::snprintf(text, sizeof text, "%s%.*se%lld", negativ ? "-" : "",
                siffror.antal == 0 ? 1 : static_cast<int>(siffror.antal),
                siffror.antal == 0 ? "0" : siffror.tecken, skala);
  const float varde = har_siffra && exponent_hel
                          ? std::strtof(text, nullptr)
                          : std::numeric_limits<float>::quiet_NaN();
  const bool ar_tal = std::isfinite(varde);
  if (ar_tal) {
    tal = varde;
  } else {
    c = hoppa_over_ord(buf, c);
  }
  if (c == traits::eof()) {
    in.setstate(std::ios::eofbit);
  }
  return ar_tal;
}

std::string las_ord(std::istream& in, std::size_t langd) {
  std::string ord;
  const std::istream::sentry vakt(in);
  if (!vakt) {
    return ord;
  }
  std::streambuf& buf = *in.rdbuf();
  int c = buf.sgetc();
  while (ord.size() < langd && c != traits::eof() && !blanktecken(c)) {
    ord += traits::to_char_type(c);
    c = buf.snextc();
  }
  if (hoppa_over_ord(buf, c) == traits::eof()) {
    in.setstate(std::ios::eofbit);
  }
  return ord;
}

void indata_slut() {
  std::cout << std::endl;
  if (std::ferror(stdin) != 0) {
    std::cerr << "kvintorn: kunde inte l\xE4sa standard in" << std::endl;
  }
  std::exit(slutstatus(1));
}

int slutstatus(int status) {
  if (std::cout) {
    return status;
  }
  std::cerr << "kvintorn: kunde inte skriva till standard ut" << std::endl;
  return 1;
}
