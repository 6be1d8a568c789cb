// Text services: order, number conversions and character counts.
#include "platform/text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

using platform::Asc;
using platform::Compare;
using platform::Format;
using platform::Len;
using platform::Val;

constexpr double kInf = std::numeric_limits<double>::infinity();

struct CompareCase {
  std::string a;
  std::string b;
  int sign;
};

TEST(TextCompare, OrdersByCharacterWithPrefixFirst) {
  const CompareCase cases[] = {
      {"", "", 0},
      {"", "0", -1},
      {"0071", "0071", 0},
      {"0070", "0071", -1},
      {"1", "1000", -1},
      {"1000", "10000", -1},
      {"5", "1990", 1},
      {"270", "2020", 1},
      {"9999", "99990", -1},
      {"9", "a", -1},
      // Bytes above 0x7F are greater than ASCII: UTF-8 sorts by code point.
      {"\x80", "a", 1},
      {"9", "１", -1},
      {"あ", "ア", -1},
      {"（", "\u3000", 1},
      {"😀", "\uFFE5", 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.a + " vs " + c.b);
    const int result = Compare(c.a, c.b);
    EXPECT_EQ((result > 0) - (result < 0), c.sign);
    const int reversed = Compare(c.b, c.a);
    EXPECT_EQ((reversed > 0) - (reversed < 0), -c.sign);
  }
}

struct ValCase {
  std::string text;
  double value;
};

TEST(TextVal, ReadsTheLeadingDigits) {
  const ValCase cases[] = {
      {"0071", 71},
      {"1990", 1990},
      {"0000", 0},
      {"10000", 10000},
      {"", 0},
      {"abc", 0},
      {"-5", 0},
      {" 12", 0},
      {"12ab", 12},
      {"19.5", 19},
      {"１９９０", 0},
      {"99999999999999999999", 1e20},
      // Rounded to the nearest double, not accumulated digit by digit.
      {"9007199254740993", 9007199254740992.0},
      {std::string(400, '9'), kInf},
      {std::string(500, '0') + "42", 42},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 24));
    EXPECT_EQ(Val(c.text), c.value);
  }
}

struct FormatCase {
  double number;
  std::string mask;
  std::string text;
};

TEST(TextFormat, PrintsWholeNumbersUnderEachMask) {
  const FormatCase cases[] = {
      {5, "0000", "0005"},  {1990, "0000", "1990"},   {12345, "0000", "12345"},
      {0, "0000", "0000"},  {-5, "0000", "-0005"},    {7, "00", "07"},
      {123, "00", "123"},   {0, "00", "00"},          {0, "####", "0"},
      {0, "##", "0"},       {2, "####", "2"},         {7981, "####", "7981"},
      {9002, "##", "9002"}, {-2013, "####", "-2013"}, {-1, "##", "-1"},
      {2.5, "####", "3"},   {-2.5, "####", "-3"},     {1.4, "00", "01"},
      {-0.4, "####", "0"},  {-0.0, "0000", "0000"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.number) + " " + c.mask);
    EXPECT_EQ(Format(c.number, c.mask), c.text);
  }
}

TEST(TextFormat, PrintsEveryDigitBeyondTheIntegerRange) {
  EXPECT_EQ(Format(1e20, "####"), "100000000000000000000");
  EXPECT_EQ(Format(-1e20, "0000"), "-100000000000000000000");
  EXPECT_EQ(Format(9223372036854775808.0, "##"), "9223372036854775808");
  EXPECT_EQ(Format(-9223372036854775808.0, "##"), "-9223372036854775808");
  const std::string largest = Format(std::numeric_limits<double>::max(), "####");
  EXPECT_EQ(largest.size(), 309u);
  EXPECT_TRUE(largest.starts_with("17976931348623157"));
}

TEST(TextFormat, NamesNonFiniteNumbers) {
  EXPECT_EQ(Format(std::nan(""), "####"), "NaN");
  EXPECT_EQ(Format(kInf, "0000"), "Infinity");
  EXPECT_EQ(Format(-kInf, "##"), "-Infinity");
}

TEST(TextFormat, RejectsUnknownMasks) {
  for (const char* mask : {"", "#", "000", "#,##0", "0000 "}) {
    SCOPED_TRACE(mask);
    EXPECT_THROW(Format(1, mask), platform::UnsupportedMaskError);
  }
  // The mask is checked even when the number has no digits to print.
  EXPECT_THROW(Format(std::nan(""), "#"), platform::UnsupportedMaskError);
}

struct CharCase {
  std::string text;
  std::int32_t length;
  std::int32_t first;
};

TEST(TextLenAsc, CountAndDecodeCodePoints) {
  const CharCase cases[] = {
      {"", 0, 0},
      {"A", 1, 65},
      {"1990", 4, '1'},
      {"é", 1, 0xE9},
      {"平成", 2, 0x5E73},
      {"令和（れいわ）\u3000元年", 10, 0x4EE4},
      {"\u3000", 1, 0x3000},
      {"😀x", 2, 0x1F600},
      // Malformed UTF-8 counts byte by byte, and a bad lead byte is its own code.
      {"\x80", 1, 0x80},
      {"\xE5\xB9", 2, 0xE5},
      {"\xE5"
       "A",
       2, 0xE5},
      {"\xFF", 1, 0xFF},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(Len(c.text), c.length);
    EXPECT_EQ(Asc(c.text), c.first);
  }
}

}  // namespace
