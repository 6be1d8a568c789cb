// Year text to Japanese era designation and historical period.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "platform/text.h"

namespace era {

enum class Kind { FirstYear, YearRange };

// One era rule. Bounds are four-digit texts and are compared as text, never as numbers.
struct WarekiEntry {
  std::string_view LowYear;
  std::string_view HighYear;  // equal to LowYear in a FirstYear entry
  era::Kind Kind;
  std::string_view EraLabel;  // a FirstYear label already ends in 元年
  int YearOffset;             // YearRange only: subtracted from the year's value
};

// One historical period; its label is appended after the era designation.
struct JidaiEntry {
  std::string_view LowYear;
  std::string_view HighYear;
  std::string_view PeriodLabel;
};

inline constexpr std::size_t kWarekiEntryCount = 498;
inline constexpr std::size_t kJidaiEntryCount = 9;

// Ascending by year, covering "0000" to "9999" without gap or overlap.
extern const std::array<WarekiEntry, kWarekiEntryCount> WarekiTable;
// Descending by year, covering "0000" to "1868".
extern const std::array<JidaiEntry, kJidaiEntryCount> JidaiTable;

// The era designation of the year text followed by its period label, if any. The text is
// placed among the bounds by text order, so texts that are not four digits long still match
// by their leading characters; a text that matches nothing gives the empty text.
platform::String SeirekiWarekiChange(std::string_view year);

}  // namespace era
