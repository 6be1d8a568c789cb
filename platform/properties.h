// Design-time property lists: a run of entries "Key", one blank, then the value; Boolean one
// byte 0 or 1, Integer four bytes big-endian, Colour three bytes red-green-blue, Text a
// four-byte big-endian length and that many bytes of UTF-8. No header, count or terminator.
// Free of Qt: the encoder builds lists at compile time, the parser checks them at run time.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/object.h"

namespace platform {

enum class PropertyType { Integer, Boolean, Colour, Text };

struct Colour {
  std::uint8_t red = 0, green = 0, blue = 0;
  bool operator==(const Colour&) const = default;
};
// 0xRRGGBB
constexpr Colour RGB(std::uint32_t value) {
  return {static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 8),
          static_cast<std::uint8_t>(value)};
}

struct PropertyKey {
  std::string_view key;
  PropertyType type;
};
// The keys one class of object accepts, in the order in which its lists give them.
using PropertySchema = std::span<const PropertyKey>;
PropertySchema WindowPropertySchema();
PropertySchema GroupBoxPropertySchema();
PropertySchema LabelPropertySchema();
PropertySchema TextFieldPropertySchema();
PropertySchema PushButtonPropertySchema();

using PropertyValue = std::variant<std::int32_t, bool, Colour, String>;
struct Property {
  String key;
  PropertyValue value;
};

// Parses a whole list against a schema. Throws PropertyListException, naming the class and the
// offset, for a key the schema does not have, a key given twice, a Boolean other than 0 or 1,
// or a value cut short; never reads past the end of `list`.
std::vector<Property> ParsePropertyList(std::string_view list, PropertySchema schema,
                                        std::string_view className);

// A list built at compile time: `PropertyList<N>{}.Int("Width", 437).Text("Title", "…")`.
template <std::size_t Capacity>
class PropertyList {
 public:
  constexpr PropertyList& Int(std::string_view key, std::int32_t value) {
    Key(key);
    Word(static_cast<std::uint32_t>(value));
    return *this;
  }
  constexpr PropertyList& Bool(std::string_view key, bool value) {
    Key(key);
    Byte(value ? 1 : 0);
    return *this;
  }
  constexpr PropertyList& Color(std::string_view key, Colour value) {
    Key(key);
    Byte(value.red);
    Byte(value.green);
    Byte(value.blue);
    return *this;
  }
  constexpr PropertyList& Text(std::string_view key, std::string_view utf8) {
    Key(key);
    Word(static_cast<std::uint32_t>(utf8.size()));
    Bytes(utf8);
    return *this;
  }
  constexpr std::string_view View() const { return {bytes_.data(), size_}; }

 private:
  constexpr void Key(std::string_view key) {
    Bytes(key);
    Byte(' ');
  }
  constexpr void Word(std::uint32_t value) {  // big-endian
    for (int shift = 24; shift >= 0; shift -= 8) {
      Byte(value >> shift);
    }
  }
  constexpr void Bytes(std::string_view bytes) {
    for (char c : bytes) {
      Byte(static_cast<unsigned char>(c));
    }
  }
  constexpr void Byte(std::uint32_t value) {
    // In a constant expression the throw is a compile-time error.
    if (size_ == Capacity) {
      throw PropertyListException("a property list outgrew its capacity of " +
                                  std::to_string(Capacity) + " bytes");
    }
    bytes_[size_++] = static_cast<char>(static_cast<unsigned char>(value & 0xFF));
  }
  std::array<char, Capacity> bytes_{};
  std::size_t size_ = 0;
};

}  // namespace platform
