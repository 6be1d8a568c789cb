// The era conversion takes any text: it never fails, gives the same text for the same input,
// and what it gives begins with an era label or, when no era matched, a period label.
#include <algorithm>
#include <vector>

#include "checks.h"
#include "era/wareki.h"

namespace fuzz {

namespace {

std::vector<std::string_view> AllLabels() {
  std::vector<std::string_view> labels;
  for (const auto& entry : era::WarekiTable)
    labels.push_back(entry.EraLabel);
  for (const auto& entry : era::JidaiTable)
    labels.push_back(entry.PeriodLabel);
  return labels;
}

bool StartsWithLabel(std::string_view text) {
  static const std::vector<std::string_view> labels = AllLabels();
  return std::ranges::any_of(labels,
                             [text](std::string_view label) { return text.starts_with(label); });
}

bool IsFourDigits(std::string_view text) {
  return text.size() == 4 && std::ranges::all_of(text, [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

void CheckEraConversion(std::string_view input) {
  const std::string text = era::SeirekiWarekiChange(input);
  if (text != era::SeirekiWarekiChange(input)) {
    throw Finding("two conversions of \"" + Printable(input) + "\" differ");
  }
  if (text.empty()) {
    // The era table covers 0000 to 9999 without a gap.
    if (IsFourDigits(input))
      throw Finding("no era for the year " + std::string(input));
    return;
  }
  if (!StartsWithLabel(text)) {
    throw Finding("\"" + Printable(input) + "\" gave \"" + Printable(text) +
                  "\", which starts with no label of the tables");
  }
}

}  // namespace fuzz
