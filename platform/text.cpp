#include "platform/text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace platform {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool IsContinuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

// Length of the UTF-8 sequence that starts at `pos`, or 0 when it is malformed (a stray
// continuation byte, an invalid lead byte or a sequence cut short).
std::size_t SequenceLength(std::string_view text, std::size_t pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  std::size_t length = 0;
  if (lead < 0x80) {
    return 1;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4;
  } else {
    return 0;
  }
  if (pos + length > text.size()) {
    return 0;
  }
  for (std::size_t i = 1; i < length; ++i) {
    if (!IsContinuation(static_cast<unsigned char>(text[pos + i]))) {
      return 0;
    }
  }
  return length;
}

// Digits needed by the padding masks; 0 for the masks that print no leading zeros.
std::size_t MinimumDigits(std::string_view mask) {
  if (mask == "0000") {
    return 4;
  }
  if (mask == "00") {
    return 2;
  }
  if (mask == "####" || mask == "##") {
    return 0;
  }
  throw UnsupportedMaskError("Format: unsupported mask \"" + std::string(mask) + "\"");
}

// The decimal digits of a whole, finite, non-negative double. to_chars prints every digit
// exactly, so no value needs to fit an integer type.
String WholeDigits(double magnitude) {
  // DBL_MAX has 309 digits before the point.
  std::array<char, std::numeric_limits<double>::max_exponent10 + 2> buffer{};
  const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                          std::chars_format::fixed, 0);
  if (error != std::errc{}) {
    throw std::logic_error("Format: digit buffer too small");
  }
  return String(buffer.data(), end);
}

}  // namespace

int Compare(std::string_view a, std::string_view b) noexcept {
  const int order = a.compare(b);
  return (order > 0) - (order < 0);
}

double Val(std::string_view text) noexcept {
  const auto digitsEnd = std::find_if_not(text.begin(), text.end(), IsDigit);
  const std::string_view digits(text.begin(), digitsEnd);
  if (digits.empty()) {
    return 0.0;
  }
  double value = 0.0;
  const auto [ptr, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error == std::errc::result_out_of_range) {
    return std::numeric_limits<double>::infinity();
  }
  return value;
}

String Format(double number, std::string_view mask) {
  const std::size_t minimumDigits = MinimumDigits(mask);
  if (std::isnan(number)) {
    return "NaN";
  }
  if (std::isinf(number)) {
    return number > 0 ? "Infinity" : "-Infinity";
  }
  const double whole = std::round(number);
  String digits = WholeDigits(std::fabs(whole));
  if (digits.size() < minimumDigits) {
    digits.insert(0, minimumDigits - digits.size(), '0');
  }
  // A number that rounds to zero prints without a sign.
  return whole < 0 ? "-" + digits : digits;
}

std::int32_t Len(std::string_view text) noexcept {
  std::int32_t count = 0;
  for (std::size_t pos = 0; pos < text.size(); ++count) {
    pos += std::max<std::size_t>(SequenceLength(text, pos), 1);
  }
  return count;
}

std::int32_t Asc(std::string_view text) noexcept {
  if (text.empty()) {
    return 0;
  }
  const std::size_t length = SequenceLength(text, 0);
  const auto lead = static_cast<unsigned char>(text[0]);
  if (length <= 1) {
    return lead;
  }
  // Payload bits of the lead byte, then six bits from each continuation byte.
  std::int32_t code = lead & (0x7F >> length);
  for (std::size_t i = 1; i < length; ++i) {
    code = (code << 6) | (static_cast<unsigned char>(text[i]) & 0x3F);
  }
  return code;
}

}  // namespace platform
