// Text services of the framework layer: strings, their order and the number conversions.
// Free of Qt so that the era conversion can use them on its own.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace platform {

// Every text of the program is UTF-8.
using String = std::string;

// Thrown by Format for a mask it does not know.
class UnsupportedMaskError : public std::invalid_argument {
 public:
  using std::invalid_argument::invalid_argument;
};

// Three-way comparison in character order: negative, zero or positive as `a` sorts before,
// equal to or after `b`. A proper prefix sorts first ("1" before "1000"). Byte order of UTF-8
// is code-point order, so this compares bytes.
int Compare(std::string_view a, std::string_view b) noexcept;

// Text to number. A text of decimal digits gives its value, leading zeros ignored ("0071" is
// 71); any other text gives the value of its leading digits, 0 when there are none. Very long
// digit runs saturate to infinity rather than overflow.
double Val(std::string_view text) noexcept;

// Number to text under a mask. The number is rounded to a whole number first.
//   "0000", "00": leading zeros up to four or two digits ("-0005" for -5 under "0000").
//   "####", "##": every digit, no leading zeros; 0 prints "0", a negative number "-" and digits.
// Values beyond the range of a 64-bit integer print all their digits; NaN prints "NaN" and
// infinities "Infinity" or "-Infinity". Any other mask throws UnsupportedMaskError.
String Format(double number, std::string_view mask);

// The number of characters (code points), not bytes.
std::int32_t Len(std::string_view text) noexcept;

// The code of the first character; 0 for the empty text. A malformed UTF-8 lead byte gives
// the byte's own value.
std::int32_t Asc(std::string_view text) noexcept;

}  // namespace platform
