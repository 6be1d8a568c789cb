#include "era/wareki.h"

#include <algorithm>

namespace era {

namespace {

using platform::Compare;

// Both bounds inclusive; the upper one is only tested once the lower one has passed.
bool InSpan(std::string_view year, std::string_view low, std::string_view high) {
  return Compare(year, low) >= 0 && Compare(year, high) <= 0;
}

bool Matches(const WarekiEntry& entry, std::string_view year) {
  if (entry.Kind == Kind::FirstYear) {
    return Compare(year, entry.LowYear) == 0;
  }
  return InSpan(year, entry.LowYear, entry.HighYear);
}

platform::String EraText(const WarekiEntry& entry, std::string_view year) {
  platform::String text(entry.EraLabel);
  if (entry.Kind == Kind::YearRange) {
    text += platform::Format(platform::Val(year) - entry.YearOffset, "####");
    text += " 年";
  }
  return text;
}

}  // namespace

platform::String SeirekiWarekiChange(std::string_view year) {
  platform::String text;
  const auto match = std::ranges::find_if(
      WarekiTable, [year](const WarekiEntry& entry) { return Matches(entry, year); });
  if (match != WarekiTable.end()) {
    text = EraText(*match, year);
  }
  const auto period = std::ranges::find_if(JidaiTable, [year](const JidaiEntry& entry) {
    return InSpan(year, entry.LowYear, entry.HighYear);
  });
  if (period != JidaiTable.end()) {
    text += period->PeriodLabel;
  }
  return text;
}

}  // namespace era
