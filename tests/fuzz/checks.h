// What every input must keep, one check per fuzz target. The libFuzzer entry points and the
// replay test both call these, so a crash input kept as a regression fails the same check.
#pragma once

#include <array>
#include <stdexcept>
#include <string>
#include <string_view>

namespace fuzz {

// A broken property of the code under test (not a bad input: bad input must be handled).
class Finding : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};

// Each check throws Finding when its property fails and lets anything unexpected escape.
// `input` must end exactly where its allocation ends, so that AddressSanitizer sees any read
// past the end.
using Check = void (*)(std::string_view input);

// Era conversion of arbitrary bytes: empty, or it starts with a label of the tables.
void CheckEraConversion(std::string_view input);
// Val, Format (all four masks and one mask from the input), Len and Asc.
void CheckNumberText(std::string_view input);
// The property-list parser against each schema: PropertyListException or a faithful parse.
void CheckPropertyList(std::string_view input);

struct Target {
  std::string_view name;  // also the folder of its corpus and of its regressions
  Check check;
};

inline constexpr std::array<Target, 3> kTargets{{
    {"era", &CheckEraConversion},
    {"number_text", &CheckNumberText},
    {"property_list", &CheckPropertyList},
}};

// Bytes with everything outside printable ASCII escaped, for messages.
std::string Printable(std::string_view bytes);

}  // namespace fuzz
