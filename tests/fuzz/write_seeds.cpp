// Writes the seed corpus of every fuzz target: fuzz_write_seeds tests/fuzz/corpus
// The committed corpus is this program's output; the fuzzers grow their own copies of it.
#include <bit>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <limits>
#include <memory>
#include <string>

#include "platform/properties.h"

namespace {

namespace fs = std::filesystem;

void Write(const fs::path& dir, const std::string& name, std::string_view bytes) {
  fs::create_directories(dir);
  std::ofstream(dir / name, std::ios::binary).write(bytes.data(), bytes.size());
}

void WriteEraSeeds(const fs::path& dir) {
  const std::string_view years[] = {"1990", "2006", "0000",  "0070", "0071",
                                    "0645", "1868", "1869",  "9999", "5",
                                    "270",  "",     "12345", "19x0", "\xE5\xB9\xB4"};  // 年
  int n = 0;
  for (std::string_view year : years)
    Write(dir, "year-" + std::to_string(n++), year);
}

// The number target's layout: a double's eight bytes, the mask's length, the mask, the text.
std::string NumberInput(double number, std::string_view mask, std::string_view text) {
  const auto raw = std::bit_cast<std::array<char, sizeof(double)>>(number);
  return std::string(raw.begin(), raw.end()) + static_cast<char>(mask.size()) + std::string(mask) +
         std::string(text);
}

void WriteNumberSeeds(const fs::path& dir) {
  constexpr double inf = std::numeric_limits<double>::infinity();
  const std::string longDigits(400, '9');
  const std::string inputs[] = {
      NumberInput(1990, "0000", "1990"),
      NumberInput(-5, "00", "0071"),
      NumberInput(2.5, "##", "12ab"),
      NumberInput(-0.4, "####", ""),
      NumberInput(1e300, "#", longDigits),
      NumberInput(std::nan(""), "000", "\xE5\xB9\xB4"),
      NumberInput(inf, "", "\xF0\x9F"),
      NumberInput(-inf, "0000", "\x80"),
      NumberInput(9223372036854775808.0, "##", "9223372036854775808"),
      NumberInput(-4503599627370495.5, "00", " 7"),
  };
  int n = 0;
  for (const std::string& input : inputs)
    Write(dir, "number-" + std::to_string(n++), input);
}

using List = platform::PropertyList<4096>;

// One value of the key's type, varied by `n`.
void Append(List& list, const platform::PropertyKey& key, int n) {
  switch (key.type) {
    case platform::PropertyType::Integer:
      list.Int(key.key, n % 3 == 0 ? std::numeric_limits<std::int32_t>::min() : 437 * n);
      break;
    case platform::PropertyType::Boolean:
      list.Bool(key.key, n % 2 == 1);
      break;
    case platform::PropertyType::Colour:
      list.Color(key.key, platform::RGB(n % 2 ? 0xFF200B : 0xB2B2B2));
      break;
    case platform::PropertyType::Text:
      list.Text(key.key, n % 2 ? "何歳でしょうか？" : "");
      break;
  }
}

void WritePropertySeeds(const fs::path& dir) {
  const std::pair<std::string, platform::PropertySchema> schemas[] = {
      {"window", platform::WindowPropertySchema()},
      {"groupbox", platform::GroupBoxPropertySchema()},
      {"label", platform::LabelPropertySchema()},
      {"textfield", platform::TextFieldPropertySchema()},
      {"pushbutton", platform::PushButtonPropertySchema()},
  };
  for (const auto& [name, schema] : schemas) {
    const auto full = std::make_unique<List>();
    const auto reversed = std::make_unique<List>();
    for (std::size_t i = 0; i < schema.size(); ++i) {
      Append(*full, schema[i], static_cast<int>(i));
      Append(*reversed, schema[schema.size() - 1 - i], static_cast<int>(i));
    }
    Write(dir, name + "-full", full->View());
    Write(dir, name + "-reversed", reversed->View());
    Write(dir, name + "-cut", full->View().substr(0, full->View().size() - 1));
  }
  Write(dir, "empty", "");
  Write(dir, "text-too-long", List{}.Text("Title", "abc").View().substr(0, 12));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s CORPUS-DIR\n", argv[0]);
    return 2;
  }
  const fs::path corpus = argv[1];
  WriteEraSeeds(corpus / "era");
  WriteNumberSeeds(corpus / "number_text");
  WritePropertySeeds(corpus / "property_list");
  return 0;
}
