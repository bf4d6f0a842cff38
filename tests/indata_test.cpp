// Reading numbers and answers from a stream: what is taken as a number,
// what is left in the input, and how a word ends.
#include "indata.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <optional>
#include <random>
#include <sstream>
#include <string>

namespace {

std::uint32_t bits(float value) {
  std::uint32_t b = 0;
  std::memcpy(&b, &value, sizeof b);
  return b;
}

std::string rest(std::istream& in) {
  in.clear();
  return {std::istreambuf_iterator<char>(in), {}};
}

TEST(NumberRule, TakesTheLongestRunAndLeavesWhatFollows) {
  const std::string zeros(1000000, '0');
  // Halfway between 1 and the float after it.
  const std::string half = "1.000000059604644775390625";
  const struct {
    std::string typed;
    std::optional<float> stored;  // none: not a number
    std::string left;
  } cases[] = {
      {"5.5%", 5.5F, "%"},
      {"5,5", 5.0F, ",5"},
      {"1.2.3", 1.2F, ".3"},
      {"3-4", 3.0F, "-4"},
      {"1.5e3x", 1500.0F, "x"},
      {"1.e2", 100.0F, ""},
      {"0x10", 0.0F, "x10"},
      {"7.", 7.0F, ""},
      {".5", 0.5F, ""},
      {"-0", -0.0F, ""},
      {" \t\r\n+4\n5", 4.0F, "\n5"},
      {"\v5", 5.0F, ""},
      {"\f5", 5.0F, ""},
      {"1e-50", 0.0F, ""},
      {"-1e-50", -0.0F, ""},
      {"1e-45", FLT_TRUE_MIN, ""},
      {"3.4028235e38", FLT_MAX, ""},
      {"1234567", 1234567.0F, ""},
      {"12345678", 12345678.0F, ""},
      {"16777216", 16777216.0F, ""},
      {"16777217", 16777216.0F, ""},
      {"1677721.7", 1677721.7F, ""},
      {"9999999e-10", 9999999e-10F, ""},
      {"9999999e-11", 9999999e-11F, ""},
      {"9999999e10", 9999999e10F, ""},
      {"9999999e11", 9999999e11F, ""},
      {"3.333333", 3.333333F, ""},
      {"-0.9", -0.9F, ""},
      {"0e999999999999999999999", 0.0F, ""},
      {"1e-99999999999999999999 x", 0.0F, " x"},
      {"1e-18446744073709551617", 0.0F, ""},
      {half + zeros.substr(0, 100) + "1" + zeros.substr(0, 10), 1.00000012F,
       ""},
      {half + zeros.substr(0, 100), 1.0F, ""},
      {"1" + zeros.substr(0, 120) + "1e-100", 1e21F, ""},
      {"1" + zeros + "e-999995", 100000.0F, ""},
      {"0." + zeros + "125e1000001", 1.25F, ""},
      {"1e", std::nullopt, ""},
      {"1e+ 9", std::nullopt, " 9"},
      {"- 9", std::nullopt, " 9"},
      {".", std::nullopt, ""},
      {"e5", std::nullopt, ""},
      {"nan", std::nullopt, ""},
      {"inf\t9", std::nullopt, "\t9"},
      {"Infinity", std::nullopt, ""},
      {"abc", std::nullopt, ""},
      {"3.4028236e38", std::nullopt, ""},
      {"1e39", std::nullopt, ""},
      {"1e18446744073709551617", std::nullopt, ""},
      {"1e99x\n9", std::nullopt, "\n9"},
      {"1" + zeros, std::nullopt, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed.substr(0, 40));
    std::istringstream in(c.typed);
    float stored = 42;
    EXPECT_EQ(las_tal(in, stored), c.stored.has_value());
    EXPECT_EQ(bits(stored), bits(c.stored.value_or(42)));
    EXPECT_FALSE(in.fail());
    EXPECT_EQ(in.eof(), c.left.empty());
    EXPECT_EQ(rest(in), c.left);
  }
}

TEST(NumberRule, FailsOnlyWhenNothingButWhitespaceIsLeft) {
  std::istringstream in(" 1e \n ");
  float stored = 42;
  EXPECT_FALSE(las_tal(in, stored));
  EXPECT_FALSE(in.fail());
  EXPECT_FALSE(las_tal(in, stored));
  EXPECT_TRUE(in.fail() && in.eof());
  EXPECT_EQ(stored, 42);
}

TEST(Answer, KeepsTheStartOfTheWordAndDropsTheRest) {
  std::istringstream in("\n  j\r\njx " + std::string(1000000, 'k') + "\t!");
  EXPECT_EQ(las_ord(in, 2), "j");
  EXPECT_EQ(las_ord(in, 2), "jx");
  EXPECT_EQ(las_ord(in, 2), "kk");
  EXPECT_EQ(rest(in), "\t!");
  EXPECT_EQ(las_ord(in, 2), "");
  EXPECT_TRUE(in.fail() && in.eof());
}

#if defined(__GLIBCXX__)
// A word made at random: short runs of characters that numbers are made of,
// long runs of digits, or a value halfway between two floats written out in
// full, exactly, with a non-zero digit after it, or cut short.
std::string random_word(std::mt19937& random) {
  const auto pick = [&](std::size_t n) {
    return static_cast<std::size_t>(random() % n);
  };
  const std::string letters = "0123456789012345.eE+-xa";
  std::string word;
  switch (pick(3)) {
    case 0:
      for (auto n = pick(12) + 1; n > 0; --n)
        word += letters[pick(letters.size())];
      break;
    case 1:
      for (auto n = pick(400) + 1; n > 0; --n) word += letters[pick(10)];
      if (pick(2) == 0)
        word += "e" + std::to_string(static_cast<int>(pick(700)) - 350);
      break;
    default: {
      float below = 0;
      do {
        const std::uint32_t b = static_cast<std::uint32_t>(random()) >> 1;
        std::memcpy(&below, &b, sizeof b);
      } while (!std::isfinite(std::nextafter(below, INFINITY)));
      const double half =
          (static_cast<double>(std::nextafter(below, INFINITY)) - below) / 2;
      char text[200];
      std::snprintf(text, sizeof text, "%.130e", below + half);
      word = text;
      const auto e = word.find('e');
      if (pick(2) == 0) {
        word.insert(e, std::string(pick(20), '0') + "1");
      } else if (pick(2) == 0) {
        const std::size_t cut = 2 + pick(120);
        word.erase(cut, e - cut);
      }
    }
  }
  return word;
}

// Where the C++ library's own extraction reads a float the way this program
// does, the two agree on every word.
TEST(NumberRule, AgreesWithTheStreamExtractionOfLibstdcxx) {
  std::mt19937 random(20261208);
  for (int round = 0; round < 4000; ++round) {
    const std::string word = random_word(random);
    SCOPED_TRACE(word);
    std::istringstream ours(word + " 1"), theirs(word + " 1");
    float mine = 0, stream = 0;
    const bool read = las_tal(ours, mine);
    theirs >> stream;
    ASSERT_EQ(read, !theirs.fail());
    if (read) {
      EXPECT_EQ(bits(mine), bits(stream));
      EXPECT_EQ(rest(ours), rest(theirs));
    }
  }
}
#endif

}  // namespace
