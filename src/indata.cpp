#include "indata.h"

#include <algorithm>
#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <limits>
#include <streambuf>
#include <string>

#include "ieee.h"

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

// Every read looks at a character before it takes it, and takes only what
// belongs to the word it reads: the character that ends a number or a word
// stays in the stream for the next read, and on a seekable standard input
// stdio hands it, and all after it, to whoever reads next.

// The character that `buf` looks at. A read of std::cin's stdio that a
// signal cut short (EINTR) gives eof and marks stdin failed: the mark is
// cleared and the read made again.
int titta(std::streambuf& buf) {
  for (;;) {
    const int c = buf.sgetc();
    if (c != traits::eof() || &buf != std::cin.rdbuf() ||
        std::ferror(stdin) == 0 || errno != EINTR) {
      return c;
    }
    std::clearerr(stdin);
  }
}

// Takes the character that `buf` looks at, and looks at the next.
int nasta(std::streambuf& buf) {
  buf.sbumpc();
  return titta(buf);
}

// Marks that `in` gave no character: at its end eofbit, where its read
// failed badbit. std::cin reads through stdio, whose getc gives eof for both
// and tells a failure only by ferror(stdin). Returns whether it failed.
bool inget_tecken(std::istream& in) {
  const bool fel = in.rdbuf() == std::cin.rdbuf() && std::ferror(stdin) != 0;
  in.setstate(fel ? std::ios::badbit : std::ios::eofbit);
  return fel;
}

// Begins a read from `in`: flushes the stream tied to it and looks past the
// whitespace at the first character of a word, which it returns without
// taking it. When `in` has failed, the tied stream could not be written, or
// nothing but whitespace is left, it sets failbit (with eofbit or badbit as
// inget_tecken does) and returns eof, having taken nothing after a failure.
int forsta_tecken(std::istream& in) {
  // Flushes the tied stream and checks the state; true: it skips no
  // whitespace, which the loop below does by the program's own rule.
  const std::istream::sentry vakt(in, true);
  if (!vakt) {
    return traits::eof();
  }
  if (in.tie() != nullptr && in.tie()->fail()) {
    in.setstate(std::ios::failbit);
    return traits::eof();
  }
  std::streambuf& buf = *in.rdbuf();
  int c = titta(buf);
  while (blanktecken(c)) {
    c = nasta(buf);
  }
  if (c == traits::eof()) {
    inget_tecken(in);
    in.setstate(std::ios::failbit);
  }
  return c;
}

// Takes the rest of a word from `buf`, from `c`, the character it looks at,
// on; returns the one that ends it, not taken.
int hoppa_over_ord(std::streambuf& buf, int c) {
  while (c != traits::eof() && !blanktecken(c)) {
    c = nasta(buf);
  }
  return c;
}

// Reads a mantissa from `c`, the character `buf` looks at, on: digits, a
// point and digits. At most siffror_max significant digits go to
// `siffror`, then a 1 if a non-zero digit was dropped after them, and `skala`
// becomes the power of ten to multiply them with. `har_siffra` tells whether
// there was any digit at all. Returns the character after the mantissa, not
// taken.
int las_mantissa(std::streambuf& buf, int c, Siffror& siffror, long long& skala,
                 bool& har_siffra) {
  bool decimal = false;
  bool slappt = false;
  for (;; c = nasta(buf)) {
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

// Reads an exponent from `c`, the character `buf` looks at, on, if one
// begins there: e or E, a sign and digits, and adds it to `skala`. `hel` is
// false when the letter has no digit after it. Returns the character after
// the exponent, not taken.
int las_exponent(std::streambuf& buf, int c, long long& skala, bool& hel) {
  if (c != 'e' && c != 'E') {
    return c;
  }
  c = nasta(buf);
  const bool negativ = c == '-';
  if (c == '+' || c == '-') {
    c = nasta(buf);
  }
  long long exponent = 0;
  hel = siffra(c);
  for (; siffra(c); c = nasta(buf)) {
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
    c = nasta(buf);
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
  if (!ar_tal) {
    c = hoppa_over_ord(buf, c);
  }
  if (c == traits::eof() && inget_tecken(in)) {
    return false;
  }
  if (ar_tal) {
    tal = varde;
  }
  return ar_tal;
}

std::string las_ord(std::istream& in, std::size_t langd) {
  std::string ord;
  int c = forsta_tecken(in);
  if (c == traits::eof()) {
    return ord;
  }
  std::streambuf& buf = *in.rdbuf();
  for (; ord.size() < langd && c != traits::eof() && !blanktecken(c);
       c = nasta(buf)) {
    ord += traits::to_char_type(c);
  }
  if (hoppa_over_ord(buf, c) == traits::eof() && inget_tecken(in)) {
    return {};
  }
  return ord;
}
