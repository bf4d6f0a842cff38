#include "indata.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <streambuf>
#include <string>

namespace {

using traits = std::char_traits<char>;

// Significant digits kept of a number. A value halfway between two
// neighbouring floats has at most 113 significant digits, so 120 digits, and
// one more standing for any non-zero digit dropped after them, round to the
// same float as the whole run.
const std::size_t siffror_max = 120;

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

}  // namespace

bool las_tal(std::istream& in, float& tal) {
  const std::istream::sentry vakt(in);
  if (!vakt) {
    return false;
  }
  std::streambuf& buf = *in.rdbuf();
  int c = buf.sgetc();

  // The run becomes text for std::strtof: the sign, at most siffror_max
  // significant digits (and a 1 when a non-zero digit was dropped), and the
  // decimal exponent that puts the point back where it belongs.
  std::string text;
  text.reserve(siffror_max + 16);
  if (c == '+' || c == '-') {
    if (c == '-') {
      text += '-';
    }
    c = buf.snextc();
  }
  const std::size_t forsta = text.size();
  long long skala = 0;
  bool har_siffra = false;
  bool slappt = false;
  const auto ta_siffra = [&](bool decimal) {
    har_siffra = true;
    if (text.size() == forsta && c == '0') {  // a leading zero
      skala -= decimal ? 1 : 0;
    } else if (text.size() - forsta < siffror_max) {
      text += traits::to_char_type(c);
      skala -= decimal ? 1 : 0;
    } else {  // a digit dropped
      slappt = slappt || c != '0';
      skala += decimal ? 0 : 1;
    }
    c = buf.snextc();
  };
  while (siffra(c)) {
    ta_siffra(false);
  }
  if (c == '.') {
    c = buf.snextc();
    while (siffra(c)) {
      ta_siffra(true);
    }
  }
  bool exponent_hel = true;
  if (c == 'e' || c == 'E') {
    exponent_hel = false;
    bool negativ = false;
    c = buf.snextc();
    if (c == '+' || c == '-') {
      negativ = c == '-';
      c = buf.snextc();
    }
    long long exponent = 0;
    while (siffra(c)) {
      exponent_hel = true;
      exponent = std::min(exponent * 10 + (c - '0'), exponent_max);
      c = buf.snextc();
    }
    skala += negativ ? -exponent : exponent;
  }

  bool ar_tal = har_siffra && exponent_hel;
  if (ar_tal) {
    if (text.size() == forsta) {
      text += '0';
    } else {
      if (slappt) {
        text += '1';
        --skala;
      }
      text += 'e';
      text += std::to_string(skala);
    }
    const float varde = std::strtof(text.c_str(), nullptr);
    ar_tal = std::isfinite(varde);
    if (ar_tal) {
      tal = varde;
    }
  }
  if (!ar_tal) {
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
