// Val, Format, Len and Asc on arbitrary input. The input is read as eight bytes of a double,
// one byte giving the length (0 to 7) of a mask text, that mask, and the rest as the text.
#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

#include "checks.h"
#include "platform/text.h"

namespace fuzz {

namespace {

struct Mask {
  std::string_view text;
  std::size_t minimumDigits;  // 0: no leading zeros at all
};
constexpr std::array<Mask, 4> kMasks{{{"0000", 4}, {"00", 2}, {"####", 0}, {"##", 0}}};

struct Input {
  double number;
  std::string_view mask;
  std::string_view text;
};

Input Split(std::string_view input) {
  std::array<char, sizeof(double)> raw{};
  const std::string_view head = input.substr(0, raw.size());
  std::ranges::copy(head, raw.begin());
  input.remove_prefix(head.size());
  std::size_t maskLength = 0;
  if (!input.empty()) {
    maskLength = static_cast<unsigned char>(input.front()) % 8;
    input.remove_prefix(1);
  }
  const std::string_view mask = input.substr(0, maskLength);
  input.remove_prefix(mask.size());
  return {std::bit_cast<double>(raw), mask, input};
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// The nearest double to a run of decimal digits; infinity beyond the largest double.
double ValueOfDigits(std::string_view digits) {
  if (digits.empty())
    return 0.0;
  double value = 0.0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error == std::errc::result_out_of_range)
    return std::numeric_limits<double>::infinity();
  if (error != std::errc{} || end != digits.data() + digits.size()) {
    throw std::logic_error("the fuzz check could not read \"" + Printable(digits) + "\"");
  }
  return value;
}

// Val reads the leading digits and nothing else.
void CheckVal(std::string_view text) {
  const std::string_view digits(text.begin(), std::ranges::find_if_not(text, IsDigit));
  const double value = platform::Val(text);
  const double expected = ValueOfDigits(digits);
  if (value != expected) {
    throw Finding("Val(\"" + Printable(text) + "\") is " + std::to_string(value) + ", not " +
                  std::to_string(expected));
  }
}

// A sign only for a number that rounds below zero, then digits that spell that whole number,
// padded to the mask's width or with no leading zero.
void CheckWholeNumber(double number, const Mask& mask, std::string_view text) {
  const auto fail = [&](std::string_view problem) {
    throw Finding("Format(" + std::to_string(number) + ", \"" + std::string(mask.text) +
                  "\") gave \"" + Printable(text) + "\": " + std::string(problem));
  };
  const bool negative = text.starts_with('-');
  const std::string_view digits = text.substr(negative ? 1 : 0);
  if (digits.empty() || !std::ranges::all_of(digits, IsDigit))
    fail("not a whole number");
  if (digits.size() < mask.minimumDigits)
    fail("too few digits");
  if (mask.minimumDigits == 0 && digits.size() > 1 && digits.front() == '0')
    fail("leading zero");
  const double magnitude = ValueOfDigits(digits);
  if (negative && magnitude == 0)
    fail("minus zero");
  // Integers and the differences near them are exact in double, so this also demands every
  // digit of a number beyond 2^53.
  if (!(std::fabs((negative ? -magnitude : magnitude) - number) <= 0.5)) {
    fail("not the number rounded");
  }
}

void CheckFormat(double number, const Mask& mask) {
  const std::string text = platform::Format(number, mask.text);
  if (std::isnan(number)) {
    if (text != "NaN")
      throw Finding("Format(NaN) gave \"" + Printable(text) + "\"");
  } else if (std::isinf(number)) {
    if (text != (number > 0 ? "Infinity" : "-Infinity")) {
      throw Finding("Format(infinity) gave \"" + Printable(text) + "\"");
    }
  } else {
    CheckWholeNumber(number, mask, text);
  }
}

std::optional<Mask> KnownMask(std::string_view text) {
  const auto found = std::ranges::find(kMasks, text, &Mask::text);
  if (found == kMasks.end())
    return std::nullopt;
  return *found;
}

void CheckAnyMask(double number, std::string_view mask) {
  if (const auto known = KnownMask(mask))
    return CheckFormat(number, *known);
  try {
    platform::Format(number, mask);
  } catch (const platform::UnsupportedMaskError&) {
    return;
  }
  throw Finding("Format accepted the mask \"" + Printable(mask) + "\"");
}

void CheckLenAsc(std::string_view text) {
  const std::int32_t length = platform::Len(text);
  if (length < 0 || static_cast<std::size_t>(length) > text.size() ||
      (length == 0) != text.empty()) {
    throw Finding("Len(\"" + Printable(text) + "\") is " + std::to_string(length));
  }
  const std::int32_t code = platform::Asc(text);
  const auto first = text.empty() ? 0 : static_cast<unsigned char>(text.front());
  if (code < 0 || (first < 0x80 && code != first)) {
    throw Finding("Asc(\"" + Printable(text) + "\") is " + std::to_string(code));
  }
}

}  // namespace

void CheckNumberText(std::string_view input) {
  const Input parts = Split(input);
  CheckVal(parts.text);
  for (const Mask& mask : kMasks)
    CheckFormat(parts.number, mask);
  CheckAnyMask(parts.number, parts.mask);
  CheckLenAsc(parts.text);
}

}  // namespace fuzz
