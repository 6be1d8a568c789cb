// Design-time property lists: the key tables, parsing, and refusal of malformed lists.
#include "platform/properties.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <set>
#include <string>
#include <variant>

#include "mentions.h"

namespace {

using platform::Colour;
using platform::Property;
using platform::PropertyKey;
using platform::PropertyList;
using platform::PropertyListException;
using platform::PropertySchema;
using platform::PropertyType;
using platform::PropertyValue;
using platform::RGB;

using namespace std::string_literals;

struct SchemaCase {
  const char* className;
  PropertySchema schema;
  std::size_t size;
  bool isControl;
};

const SchemaCase kSchemas[] = {
    {"Window", platform::WindowPropertySchema(), 21, false},
    {"GroupBox", platform::GroupBoxPropertySchema(), 22, true},
    {"Label", platform::LabelPropertySchema(), 29, true},
    {"TextField", platform::TextFieldPropertySchema(), 38, true},
    {"PushButton", platform::PushButtonPropertySchema(), 26, true},
};

TEST(PropertySchemas, HaveTheirSizeUniqueKeysAndControlsOpenWithName) {
  for (const SchemaCase& c : kSchemas) {
    SCOPED_TRACE(c.className);
    EXPECT_EQ(c.schema.size(), c.size);
    std::set<std::string_view> keys;
    for (const PropertyKey& key : c.schema) {
      EXPECT_TRUE(keys.insert(key.key).second) << "twice: " << key.key;
    }
    EXPECT_EQ(c.schema.front().key == "Name", c.isControl);
  }
}

// A value of the key's type that differs from key to key.
PropertyValue SampleValue(const PropertyKey& key, std::int32_t position) {
  switch (key.type) {
    case PropertyType::Integer:
      return position % 2 ? -position * 1000003 : std::numeric_limits<std::int32_t>::min();
    case PropertyType::Boolean:
      return position % 2 == 1;
    case PropertyType::Colour:
      return RGB(0xFF200B ^ static_cast<std::uint32_t>(position));
    case PropertyType::Text:
      return position % 3 ? "値 "s + std::string(key.key) : ""s;
  }
  return {};
}

template <std::size_t N>
void Append(PropertyList<N>& list, std::string_view key, const PropertyValue& value) {
  if (const auto* i = std::get_if<std::int32_t>(&value)) {
    list.Int(key, *i);
  }
  if (const auto* b = std::get_if<bool>(&value)) {
    list.Bool(key, *b);
  }
  if (const auto* c = std::get_if<Colour>(&value)) {
    list.Color(key, *c);
  }
  if (const auto* t = std::get_if<std::string>(&value)) {
    list.Text(key, *t);
  }
}

TEST(PropertyLists, EveryKeyOfEveryClassRoundTrips) {
  for (const SchemaCase& c : kSchemas) {
    SCOPED_TRACE(c.className);
    PropertyList<4096> list;
    std::vector<PropertyValue> values;
    for (std::size_t i = 0; i < c.schema.size(); ++i) {
      values.push_back(SampleValue(c.schema[i], static_cast<std::int32_t>(i)));
      Append(list, c.schema[i].key, values.back());
    }
    const std::vector<Property> parsed =
        platform::ParsePropertyList(list.View(), c.schema, c.className);
    ASSERT_EQ(parsed.size(), c.schema.size());
    for (std::size_t i = 0; i < parsed.size(); ++i) {
      EXPECT_EQ(parsed[i].key, c.schema[i].key);
      EXPECT_EQ(parsed[i].value, values[i]) << c.schema[i].key;
    }
  }
}

// A text field's list in the order of its keys, a few of them left out as lists may do.
constexpr auto kField = PropertyList<256>{}
                            .Text("Name", "EditField1")
                            .Int("Index", std::numeric_limits<std::int32_t>::min())
                            .Int("Left", 65)
                            .Bool("TabStop", true)
                            .Color("TextColor", RGB(0xFF200B))
                            .Text("TextFont", "Osaka")
                            .Text("Text", "")
                            .Text("Mask", "####")
                            .Int("Alignment", 3)
                            .Bool("AcceptTabs", false);

TEST(PropertyLists, ParsesABuiltListInOrder) {
  const std::vector<Property> parsed =
      platform::ParsePropertyList(kField.View(), platform::TextFieldPropertySchema(), "TextField");
  const std::vector<std::pair<std::string, PropertyValue>> expected = {
      {"Name", "EditField1"s},
      {"Index", std::numeric_limits<std::int32_t>::min()},
      {"Left", 65},
      {"TabStop", true},
      {"TextColor", Colour{0xFF, 0x20, 0x0B}},
      {"TextFont", "Osaka"s},
      {"Text", ""s},
      {"Mask", "####"s},
      {"Alignment", 3},
      {"AcceptTabs", false},
  };
  ASSERT_EQ(parsed.size(), expected.size());
  for (std::size_t i = 0; i < parsed.size(); ++i) {
    EXPECT_EQ(parsed[i].key, expected[i].first);
    EXPECT_EQ(parsed[i].value, expected[i].second) << expected[i].first;
  }
}

TEST(PropertyLists, ABuilderRefusesToOutgrowItsCapacity) {
  PropertyList<9> list;
  list.Int("Left", 65);  // 4 + 1 + 4 bytes: full
  EXPECT_EQ(list.View().size(), 9u);
  EXPECT_THROW(list.Bool("Bold", true), PropertyListException);
}

TEST(PropertyLists, AnEmptyListHasNoEntries) {
  EXPECT_TRUE(platform::ParsePropertyList("", platform::WindowPropertySchema(), "Window").empty());
}

// Offsets at which an entry of kField ends.
std::set<std::size_t> EntryEnds() {
  std::set<std::size_t> ends{0};
  PropertyList<256> prefix;
  const auto parsed =
      platform::ParsePropertyList(kField.View(), platform::TextFieldPropertySchema(), "TextField");
  for (const Property& p : parsed) {
    Append(prefix, p.key, p.value);
    ends.insert(prefix.View().size());
  }
  return ends;
}

TEST(PropertyLists, ACutAnywhereInsideAnEntryIsRefused) {
  const std::string_view whole = kField.View();
  const std::set<std::size_t> ends = EntryEnds();
  ASSERT_EQ(*ends.rbegin(), whole.size());
  for (std::size_t length = 0; length < whole.size(); ++length) {
    SCOPED_TRACE("cut at " + std::to_string(length));
    // A copy of exactly this length, so that a read past its end is caught by the sanitizers.
    const std::string cut(whole.substr(0, length));
    const auto parse = [&] {
      return platform::ParsePropertyList(cut, platform::TextFieldPropertySchema(), "TextField");
    };
    if (ends.contains(length)) {
      const auto complete =
          static_cast<std::size_t>(std::distance(ends.begin(), ends.find(length)));
      EXPECT_EQ(parse().size(), complete);
      continue;
    }
    try {
      parse();
      ADD_FAILURE() << "a list cut inside an entry was accepted";
    } catch (const PropertyListException& e) {
      EXPECT_TRUE(Mentions(e.what(), "TextField property list, entry at offset"));
      EXPECT_TRUE(Mentions(e.what(), "cut short"));
    }
  }
}

struct MalformedCase {
  const char* what;
  std::string list;
  const char* className;
  PropertySchema schema;
  std::size_t offset;  // of the entry at fault
  const char* problem;
};

TEST(PropertyLists, MalformedListsAreRefusedNamingClassAndOffset) {
  const auto field = platform::TextFieldPropertySchema();
  const auto window = platform::WindowPropertySchema();
  const std::string left = std::string(PropertyList<16>{}.Int("Left", 65).View());
  const MalformedCase cases[] = {
      {"unknown key", "Colour \x01\x02\x03", "TextField", field, 0, "unknown key \"Colour\""},
      {"key in lower case", "left \0\0\0\x01"s, "TextField", field, 0, "unknown key \"left\""},
      {"a window's key in a field's list",
       std::string(PropertyList<16>{}.Text("Title", "x").View()), "TextField", field, 0,
       "unknown key \"Title\""},
      {"a control's key in a window's list", left, "Window", window, 0, "unknown key \"Left\""},
      {"empty key", " \x01", "TextField", field, 0, "unknown key \"\""},
      {"binary key, shown escaped", "\x01\xFF \x01", "TextField", field, 0,
       "unknown key \"\\x01\\xFF\""},
      {"Boolean 2", left + "Bold \x02", "TextField", field, 9, "\"Bold\" is 2, not 0 or 1"},
      {"Boolean 255", left + "Bold \xFF", "TextField", field, 9, "\"Bold\" is 255, not 0 or 1"},
      {"key given twice", left + left, "TextField", field, 9, "\"Left\" given twice"},
      {"key without its blank", left + "Name", "TextField", field, 9, "cut short"},
      {"text longer than the list", "Name \0\0\0\x05"s + "abc", "TextField", field, 0,
       "needs 5 bytes, 3 left"},
      {"text length near 4 GiB", "Name \xFF\xFF\xFF\xFF"s + "abc", "TextField", field, 0,
       "needs 4294967295 bytes, 3 left"},
      {"colour cut short", "TextColor \xFF\x20"s, "TextField", field, 0, "needs 3 bytes, 2 left"},
  };
  for (const MalformedCase& c : cases) {
    SCOPED_TRACE(c.what);
    try {
      platform::ParsePropertyList(c.list, c.schema, c.className);
      ADD_FAILURE() << "accepted";
    } catch (const PropertyListException& e) {
      EXPECT_TRUE(Mentions(e.what(), std::string(c.className) + " property list, entry at offset " +
                                         std::to_string(c.offset) + ": "));
      EXPECT_TRUE(Mentions(e.what(), c.problem));
    }
  }
}

}  // namespace
