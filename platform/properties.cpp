#include "platform/properties.h"

#include <algorithm>
#include <cstdio>

namespace platform {
namespace {

// The type letters of the key tables.
constexpr auto I = PropertyType::Integer;
constexpr auto B = PropertyType::Boolean;
constexpr auto C = PropertyType::Colour;
constexpr auto T = PropertyType::Text;

template <std::size_t Head, std::size_t Tail>
constexpr std::array<PropertyKey, Head + Tail> Join(const std::array<PropertyKey, Head>& head,
                                                    const std::array<PropertyKey, Tail>& tail) {
  std::array<PropertyKey, Head + Tail> joined{};
  std::copy(head.begin(), head.end(), joined.begin());
  std::copy(tail.begin(), tail.end(), joined.begin() + Head);
  return joined;
}

// Every control's list opens with these twelve.
constexpr std::array<PropertyKey, 12> kControlHead{{
    {"Name", T},
    {"Index", I},
    {"Left", I},
    {"Top", I},
    {"Width", I},
    {"Height", I},
    {"LockLeft", B},
    {"LockTop", B},
    {"LockRight", B},
    {"LockBottom", B},
    {"TabPanelIndex", I},
    {"TabIndex", I},
}};

constexpr std::array<PropertyKey, 21> kWindow{{
    {"Placement", I},  {"Width", I},        {"Height", I},         {"MinWidth", I},
    {"MinHeight", I},  {"MaxWidth", I},     {"MaxHeight", I},      {"Frame", I},
    {"Composite", B},  {"HasBackColor", B}, {"BackColor", C},      {"Title", T},
    {"Visible", B},    {"FullScreen", B},   {"MenuBarVisible", B}, {"CloseButton", B},
    {"Resizeable", B}, {"LiveResize", B},   {"MaximizeButton", B}, {"MinimizeButton", B},
    {"MacProcID", I},
}};

constexpr std::array<PropertyKey, 10> kGroupBoxTail{{
    {"Caption", T},
    {"Enabled", B},
    {"Visible", B},
    {"HelpTag", T},
    {"AutoDeactivate", B},
    {"TextFont", T},
    {"Bold", B},
    {"Italic", B},
    {"Underline", B},
    {"InitialParent", T},
}};

constexpr std::array<PropertyKey, 17> kLabelTail{{
    {"Text", T},
    {"TextAlign", I},
    {"TextColor", C},
    {"Multiline", B},
    {"Enabled", B},
    {"Visible", B},
    {"Selectable", B},
    {"Transparent", B},
    {"HelpTag", T},
    {"AutoDeactivate", B},
    {"TextFont", T},
    {"Bold", B},
    {"Italic", B},
    {"Underline", B},
    {"DataSource", T},
    {"DataField", T},
    {"InitialParent", T},
}};

constexpr std::array<PropertyKey, 26> kTextFieldTail{{
    {"TabStop", B},
    {"Border", B},
    {"Password", B},
    {"UseFocusRing", B},
    {"TextColor", C},
    {"BackColor", C},
    {"Enabled", B},
    {"Format", T},
    {"Visible", B},
    {"HelpTag", T},
    {"AutoDeactivate", B},
    {"TextFont", T},
    {"Bold", B},
    {"Italic", B},
    {"Underline", B},
    {"CueText", T},
    {"Text", T},
    {"Mask", T},
    {"ReadOnly", B},
    {"LimitText", I},
    {"AcceptTabs", B},
    {"Alignment", I},
    {"AutomaticallyCheckSpelling", B},
    {"DataSource", T},
    {"DataField", T},
    {"InitialParent", T},
}};

constexpr std::array<PropertyKey, 14> kPushButtonTail{{
    {"TabStop", B},
    {"Caption", T},
    {"Default", B},
    {"Cancel", B},
    {"Enabled", B},
    {"Visible", B},
    {"HelpTag", T},
    {"AutoDeactivate", B},
    {"ButtonStyle", I},
    {"TextFont", T},
    {"Bold", B},
    {"Italic", B},
    {"Underline", B},
    {"InitialParent", T},
}};

constexpr auto kGroupBox = Join(kControlHead, kGroupBoxTail);
constexpr auto kLabel = Join(kControlHead, kLabelTail);
constexpr auto kTextField = Join(kControlHead, kTextFieldTail);
constexpr auto kPushButton = Join(kControlHead, kPushButtonTail);

// A key as it may appear in a message: bytes outside printable ASCII escaped, long keys cut.
String Printable(std::string_view bytes) {
  constexpr std::size_t kShown = 40;
  String shown;
  for (unsigned char c : bytes.substr(0, kShown)) {
    if (c >= 0x20 && c < 0x7F) {
      shown += static_cast<char>(c);
    } else {
      char escaped[5];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
      shown += escaped;
    }
  }
  if (bytes.size() > kShown) {
    shown += "...";
  }
  return shown;
}

// Reads one list, front to back, never past its end.
class Parser {
 public:
  Parser(std::string_view list, PropertySchema schema, std::string_view className)
      : list_(list), schema_(schema), className_(className), seen_(schema.size(), false) {}

  std::vector<Property> Parse() {
    std::vector<Property> properties;
    while (pos_ < list_.size()) {
      entry_ = pos_;
      const PropertyKey& key = ReadKey();
      properties.push_back({String(key.key), ReadValue(key)});
    }
    return properties;
  }

 private:
  [[noreturn]] void Fail(const String& problem) const {
    throw PropertyListException(String(className_) + " property list, entry at offset " +
                                std::to_string(entry_) + ": " + problem);
  }

  const PropertyKey& ReadKey() {
    const std::size_t blank = list_.find(' ', pos_);
    if (blank == std::string_view::npos) {
      Fail("key \"" + Printable(list_.substr(pos_)) + "\" is cut short before its value");
    }
    const std::string_view name = list_.substr(pos_, blank - pos_);
    const auto found = std::find_if(schema_.begin(), schema_.end(),
                                    [&](const PropertyKey& key) { return key.key == name; });
    if (found == schema_.end()) {
      Fail("unknown key \"" + Printable(name) + "\"");
    }
    const auto index = static_cast<std::size_t>(found - schema_.begin());
    if (seen_[index]) {
      Fail("key \"" + String(name) + "\" given twice");
    }
    seen_[index] = true;
    pos_ = blank + 1;
    return *found;
  }

  std::string_view Take(std::size_t count, std::string_view key) {
    if (list_.size() - pos_ < count) {
      Fail("value of \"" + String(key) + "\" is cut short: needs " + std::to_string(count) +
           " bytes, " + std::to_string(list_.size() - pos_) + " left");
    }
    const std::string_view bytes = list_.substr(pos_, count);
    pos_ += count;
    return bytes;
  }

  std::uint32_t TakeWord(std::string_view key) {
    std::uint32_t word = 0;
    for (unsigned char c : Take(4, key)) {
      word = (word << 8) | c;
    }
    return word;
  }

  PropertyValue ReadValue(const PropertyKey& key) {
    switch (key.type) {
      case PropertyType::Integer:
        return static_cast<std::int32_t>(TakeWord(key.key));
      case PropertyType::Boolean: {
        const auto byte = static_cast<unsigned char>(Take(1, key.key)[0]);
        if (byte > 1) {
          Fail("Boolean \"" + String(key.key) + "\" is " + std::to_string(byte) + ", not 0 or 1");
        }
        return byte == 1;
      }
      case PropertyType::Colour: {
        const std::string_view rgb = Take(3, key.key);
        return Colour{static_cast<std::uint8_t>(rgb[0]), static_cast<std::uint8_t>(rgb[1]),
                      static_cast<std::uint8_t>(rgb[2])};
      }
      case PropertyType::Text: {
        const std::uint32_t length = TakeWord(key.key);
        return String(Take(length, key.key));
      }
    }
    Fail("key \"" + String(key.key) + "\" has an unknown type");
  }

  std::string_view list_;
  PropertySchema schema_;
  std::string_view className_;
  std::vector<bool> seen_;
  std::size_t pos_ = 0;
  std::size_t entry_ = 0;
};

}  // namespace

PropertySchema WindowPropertySchema() {
  return kWindow;
}
PropertySchema GroupBoxPropertySchema() {
  return kGroupBox;
}
PropertySchema LabelPropertySchema() {
  return kLabel;
}
PropertySchema TextFieldPropertySchema() {
  return kTextField;
}
PropertySchema PushButtonPropertySchema() {
  return kPushButton;
}

std::vector<Property> ParsePropertyList(std::string_view list, PropertySchema schema,
                                        std::string_view className) {
  return Parser(list, schema, className).Parse();
}

}  // namespace platform
