// The property-list parser on arbitrary bytes, against each of the five schemas: either it
// throws PropertyListException naming the class, or every entry is a key of the schema, given
// once, with a value of the key's type, and encoding the entries again gives back the bytes.
#include <algorithm>
#include <memory>
#include <set>

#include "checks.h"
#include "platform/properties.h"

namespace fuzz {

namespace {

using platform::PropertyType;

struct ClassSchema {
  std::string_view className;
  platform::PropertySchema (*schema)();
};
constexpr std::array<ClassSchema, 5> kClasses{{
    {"Window", &platform::WindowPropertySchema},
    {"GroupBox", &platform::GroupBoxPropertySchema},
    {"Label", &platform::LabelPropertySchema},
    {"TextField", &platform::TextFieldPropertySchema},
    {"PushButton", &platform::PushButtonPropertySchema},
}};

// Inputs up to this size are encoded again; libFuzzer's inputs stay far below it.
constexpr std::size_t kEncodeCapacity = 1 << 16;
using Encoder = platform::PropertyList<kEncodeCapacity>;

// The alternative of PropertyValue that each type must give.
std::size_t ValueIndex(PropertyType type) {
  switch (type) {
    case PropertyType::Integer:
      return 0;
    case PropertyType::Boolean:
      return 1;
    case PropertyType::Colour:
      return 2;
    case PropertyType::Text:
      return 3;
  }
  throw std::logic_error("unknown property type");
}

void Encode(Encoder& list, const platform::Property& property) {
  std::visit(
      [&](const auto& value) {
        using Value = std::decay_t<decltype(value)>;
        if constexpr (std::is_same_v<Value, std::int32_t>) {
          list.Int(property.key, value);
        } else if constexpr (std::is_same_v<Value, bool>) {
          list.Bool(property.key, value);
        } else if constexpr (std::is_same_v<Value, platform::Colour>) {
          list.Color(property.key, value);
        } else {
          list.Text(property.key, value);
        }
      },
      property.value);
}

void CheckParse(std::string_view input, const ClassSchema& target,
                const std::vector<platform::Property>& parsed) {
  const auto fail = [&](const std::string& problem) {
    throw Finding(std::string(target.className) + " list \"" + Printable(input) +
                  "\" parsed, but " + problem);
  };
  const platform::PropertySchema schema = target.schema();
  std::set<std::string_view> seen;
  for (const platform::Property& property : parsed) {
    const auto key = std::ranges::find(schema, property.key, &platform::PropertyKey::key);
    if (key == schema.end())
      fail("with the unknown key \"" + Printable(property.key) + "\"");
    if (!seen.insert(key->key).second)
      fail("with \"" + property.key + "\" twice");
    if (property.value.index() != ValueIndex(key->type)) {
      fail("\"" + property.key + "\" has a value of another type");
    }
  }
  if (input.size() > kEncodeCapacity)
    return;
  const auto encoder = std::make_unique<Encoder>();
  try {
    for (const platform::Property& property : parsed)
      Encode(*encoder, property);
  } catch (const platform::PropertyListException&) {
    fail("its entries encode to more bytes than the list has");
  }
  if (encoder->View() != input)
    fail("its entries encode to \"" + Printable(encoder->View()) + "\"");
}

}  // namespace

void CheckPropertyList(std::string_view input) {
  for (const ClassSchema& target : kClasses) {
    std::vector<platform::Property> parsed;
    try {
      parsed = platform::ParsePropertyList(input, target.schema(), target.className);
    } catch (const platform::PropertyListException& error) {
      if (std::string_view(error.what()).find(target.className) == std::string_view::npos) {
        throw Finding("the rejection \"" + Printable(error.what()) + "\" does not name " +
                      std::string(target.className));
      }
      continue;
    }
    CheckParse(input, target, parsed);
  }
}

}  // namespace fuzz
