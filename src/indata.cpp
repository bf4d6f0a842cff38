#include "indata.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
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

// Begins a read from `in`: flushes the stream tied to it, takes whitespace
// and then the first character of a word, which it returns. When `in` has
// failed, or nothing but whitespace is left, it sets failbit (and eofbit at
// the end) and returns eof.
int forsta_tecken(std::istream& in) {
  const std::istream::sentry vakt(in, true);  // whitespace is taken here
  if (!vakt) {
    return traits::eof();
  }
  std::streambuf& buf = *in.rdbuf();
  int c = buf.sbumpc();
  while (blanktecken(c)) {
    c = buf.sbumpc();
  }
  if (c == traits::eof()) {
    in.setstate(std::ios::eofbit | std::ios::failbit);
  }
  return c;
}

// Takes the rest of a word from `buf`, after `c`, its last character taken;
// returns the one that ends it.
int hoppa_over_ord(std::streambuf& buf, int c) {
  while (c != traits::eof() && !blanktecken(c)) {
    c = buf.sbumpc();
  }
  return c;
}

// Puts `c`, the character taken that ended a number or a word, back into
// `in`, or notes the end of the input.
void lamna_tillbaka(std::istream& in, int c) {
  if (c == traits::eof()) {
    in.setstate(std::ios::eofbit);
  } else if (in.rdbuf()->sputbackc(traits::to_char_type(c)) == traits::eof()) {
    in.setstate(std::ios::badbit);
  }
}

// Reads a mantissa from `c`, the character last taken from `buf`, on:
// digits, a point and digits. At most siffror_max significant digits go to
// `siffror`, then a 1 if a non-zero digit was dropped after them, and `skala`
// becomes the power of ten to multiply them with. `har_siffra` tells whether
// there was any digit at all. Returns the character after the mantissa.
int las_mantissa(std::streambuf& buf, int c, Siffror& siffror, long long& skala,
                 bool& har_siffra) {
  bool decimal = false;
  bool slappt = false;
  for (;; c = buf.sbumpc()) {
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

// Reads an exponent from `c`, the character last taken from `buf`, on, if
// one begins there: e or E, a sign and digits, and adds it to `skala`. `hel`
// is false when the letter has no digit after it. Returns the character after
// the exponent.
int las_exponent(std::streambuf& buf, int c, long long& skala, bool& hel) {
  if (c != 'e' && c != 'E') {
    return c;
  }
  c = buf.sbumpc();
  const bool negativ = c == '-';
  if (c == '+' || c == '-') {
    c = buf.sbumpc();
  }
  long long exponent = 0;
  hel = siffra(c);
  for (; siffra(c); c = buf.sbumpc()) {
    exponent = std::min(exponent * 10 + (c - '0'), exponent_max);
  }
  skala += negativ ? -exponent : exponent;
  return c;
}

// The float nearest to the digits times ten to the power `skala`, negated
// when `negativ`.
float narmaste(bool negativ, const Siffror& siffror, long long skala) {
#if FLT_EVAL_METHOD == 0
  // Where float arithmetic is done in float, at most 7 digits are an integer
  // below 2^24, and 10^0 to 10^10 are floats exactly: then one multiplication
  // or division, rounded once, gives the nearest float (Clinger's fast path).
  static const float potenser[] = {1e0F, 1e1F, 1e2F, 1e3F, 1e4F, 1e5F,
                                   1e6F, 1e7F, 1e8F, 1e9F, 1e10F};
  const long long potens_max = 10;
  if (siffror.antal <= 7 && skala >= -potens_max && skala <= potens_max) {
    std::int32_t heltal = 0;
    for (std::size_t i = 0; i < siffror.antal; ++i) {
      heltal = heltal * 10 + (siffror.tecken[i] - '0');
    }
    const auto varde = static_cast<float>(heltal);
    const float potens = potenser[skala < 0 ? -skala : skala];
    const float belopp = skala < 0 ? varde / potens : varde * potens;
    return negativ ? -belopp : belopp;
  }
#endif
  // Otherwise the digits and the power of ten go to std::strtof as text,
  // which rounds to the nearest float.
  char text[siffror_max + 32];
  std::snprintf(text, sizeof text, "%s%.*se%lld", negativ ? "-" : "",
                siffror.antal == 0 ? 1 : static_cast<int>(siffror.antal),
                siffror.antal == 0 ? "0" : siffror.tecken, skala);
  return std::strtof(text, nullptr);
}

}  // namespace

bool las_tal(std::istream& in, float& tal) {
  int c = forsta_tecken(in);
  if (c == traits::eof()) {
    return false;
  }
  std::streambuf& buf = *in.rdbuf();
  const bool negativ = c == '-';
  if (c == '+' || c == '-') {
    c = buf.sbumpc();
  }
  Siffror siffror;
  long long skala = 0;
  bool har_siffra = false;
  bool exponent_hel = true;
  c = las_mantissa(buf, c, siffror, skala, har_siffra);
  c = las_exponent(buf, c, skala, exponent_hel);
  const float varde = har_siffra && exponent_hel
                          ? narmaste(negativ, siffror, skala)
                          : std::numeric_limits<float>::quiet_NaN();
  const bool ar_tal = std::isfinite(varde);
  if (ar_tal) {
    tal = varde;
  } else {
    c = hoppa_over_ord(buf, c);
  }
  lamna_tillbaka(in, c);
  return ar_tal;
}

std::string las_ord(std::istream& in, std::size_t langd) {
  std::string ord;
  int c = forsta_tecken(in);
  if (c == traits::eof()) {
    return ord;
  }
  std::streambuf& buf = *in.rdbuf();
  // An answer can be the last word the program reads, so the rest of it is
  // looked at before it is taken, and the whitespace after it only looked
  // at: on a seekable standard input stdio then leaves that whitespace, and
  // all after it, to whoever reads next, whichever C++ library keeps the
  // stream (libc++ keeps a character put back to itself).
  if (langd > 0) {
    ord += traits::to_char_type(c);
  }
  for (c = buf.sgetc();
       ord.size() < langd && c != traits::eof() && !blanktecken(c);
       c = buf.snextc()) {
    ord += traits::to_char_type(c);
  }
  while (c != traits::eof() && !blanktecken(c)) {
    c = buf.snextc();
  }
  if (c == traits::eof()) {
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
