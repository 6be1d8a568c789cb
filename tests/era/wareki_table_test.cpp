// The tables as data, and every four-digit year walked through the conversion.
#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <set>
#include <string>
#include <string_view>

#include "era/wareki.h"

namespace {

using era::JidaiTable;
using era::Kind;
using era::SeirekiWarekiChange;
using era::WarekiEntry;
using era::WarekiTable;

constexpr int kLastYear = 9999;
constexpr int kLastPeriodYear = 1868;

bool IsFourDigits(std::string_view text) {
  return text.size() == 4 && std::ranges::all_of(text, [](char c) { return c >= '0' && c <= '9'; });
}

int Number(std::string_view digits) {
  int value = -1;
  std::from_chars(digits.data(), digits.data() + digits.size(), value);
  return value;
}

std::string FourDigits(int year) {
  char text[8];
  std::snprintf(text, sizeof text, "%04d", year);
  return text;
}

// The era's name: the label up to its opening parenthesis, of either width.
std::string_view EraName(std::string_view label) {
  return label.substr(0, std::min(label.find('('), label.find("（")));
}

// The result without its period label.
std::string_view EraPart(std::string_view result) {
  return result.substr(0, result.find("  【"));
}

TEST(WarekiTableData, BoundsAreFourDigitsContiguousAndIncreasing) {
  EXPECT_EQ(WarekiTable.front().LowYear, "0000");
  EXPECT_EQ(WarekiTable.back().HighYear, "9999");
  for (std::size_t i = 0; i < WarekiTable.size(); ++i) {
    const WarekiEntry& entry = WarekiTable[i];
    SCOPED_TRACE(entry.LowYear);
    EXPECT_TRUE(IsFourDigits(entry.LowYear));
    EXPECT_TRUE(IsFourDigits(entry.HighYear));
    EXPECT_LE(platform::Compare(entry.LowYear, entry.HighYear), 0);
    if (entry.Kind == Kind::FirstYear) {
      EXPECT_EQ(entry.LowYear, entry.HighYear);
    }
    if (i > 0) {
      EXPECT_EQ(Number(entry.LowYear), Number(WarekiTable[i - 1].HighYear) + 1);
      EXPECT_GT(platform::Compare(entry.LowYear, WarekiTable[i - 1].HighYear), 0);
    }
  }
}

TEST(WarekiTableData, EachRangeFollowsTheFirstYearOfItsEra) {
  EXPECT_EQ(WarekiTable.front().Kind, Kind::YearRange);
  for (std::size_t i = 1; i < WarekiTable.size(); ++i) {
    const WarekiEntry& entry = WarekiTable[i];
    if (entry.Kind != Kind::YearRange) {
      continue;
    }
    SCOPED_TRACE(entry.LowYear);
    const WarekiEntry& first = WarekiTable[i - 1];
    ASSERT_EQ(first.Kind, Kind::FirstYear);
    EXPECT_EQ(EraName(entry.EraLabel), EraName(first.EraLabel));
    EXPECT_EQ(entry.YearOffset, Number(first.LowYear) - 1);
  }
}

// The first year of the era that an entry belongs to.
int FirstYearOfEra(const WarekiEntry& entry) {
  if (entry.Kind == Kind::FirstYear) {
    return Number(entry.LowYear);
  }
  if (&entry == &WarekiTable.front()) {
    return -28;  // "0000" is the 29th year of the first reign
  }
  return Number((&entry - 1)->LowYear);
}

// What follows the closing parenthesis, which must be of the same width as the opening one.
std::string_view Tail(std::string_view label, bool halfWidth) {
  const std::string_view close = halfWidth ? ")" : "）";
  EXPECT_EQ(label.find(halfWidth ? "（" : "("), std::string_view::npos) << label;
  EXPECT_EQ(label.find(halfWidth ? "）" : ")"), std::string_view::npos) << label;
  return label.substr(label.rfind(close) + close.size());
}

TEST(WarekiTableData, LabelFormsFollowTheEraRules) {
  const std::set<std::string_view> rangeIdeographicSpace = {
      "清寧天皇", "顕宗天皇", "継体天皇", "欽明天皇", "敏達天皇", "用明天皇", "推古天皇"};
  const std::set<std::string_view> rangeNoSpace = {"仁賢天皇", "武烈天皇", "安閑天皇", "宣化天皇",
                                                   "崇峻天皇", "舒明天皇", "皇極天皇"};
  for (const WarekiEntry& entry : WarekiTable) {
    SCOPED_TRACE(entry.EraLabel);
    const std::string_view name = EraName(entry.EraLabel);
    const int first = FirstYearOfEra(entry);
    const bool isFirst = entry.Kind == Kind::FirstYear;
    const bool halfWidth = entry.EraLabel.find('(') != std::string_view::npos;
    EXPECT_EQ(halfWidth,
              first <= 1151 || name == "治承" || name == "建仁" || (name == "保元" && isFirst));
    const std::string_view tail = Tail(entry.EraLabel, halfWidth);
    if (isFirst) {
      const bool bare = (first >= 71 && first <= 480) || name == "嘉禎" || name == "文正";
      EXPECT_EQ(tail, bare ? "元年" : name == "治承" ? " 元年" : "\u3000元年");
    } else {
      EXPECT_EQ(tail, rangeIdeographicSpace.contains(name) ? "\u3000"
                      : rangeNoSpace.contains(name)        ? ""
                                                           : " ");
    }
  }
}

TEST(JidaiTableData, PeriodsJoinDownToZeroAndSpansMatchTheBounds) {
  EXPECT_EQ(JidaiTable.front().HighYear, "1868");
  EXPECT_EQ(JidaiTable.back().LowYear, "0000");
  EXPECT_TRUE(JidaiTable.back().PeriodLabel.ends_with("】 〜285"));
  for (std::size_t i = 0; i + 1 < JidaiTable.size(); ++i) {
    const auto& period = JidaiTable[i];
    SCOPED_TRACE(period.PeriodLabel);
    EXPECT_TRUE(period.PeriodLabel.starts_with("  【"));
    EXPECT_EQ(Number(period.LowYear), Number(JidaiTable[i + 1].HighYear) + 1);
    // The span ends at the next period's first year; the latest period at its own last year.
    const int end = Number(period.HighYear) + (i == 0 ? 0 : 1);
    const std::string span =
        "】 " + std::to_string(Number(period.LowYear)) + "-" + std::to_string(end);
    EXPECT_TRUE(period.PeriodLabel.ends_with(span));
  }
}

// The entry that covers the year, found by number rather than by text order.
const WarekiEntry* Covering(int year, int& count) {
  const WarekiEntry* found = nullptr;
  count = 0;
  for (const WarekiEntry& entry : WarekiTable) {
    if (Number(entry.LowYear) <= year && year <= Number(entry.HighYear)) {
      found = &entry;
      ++count;
    }
  }
  return found;
}

TEST(EveryFourDigitYear, MatchesOneEraAndPrintsItsYearWithinIt) {
  int lowest = kLastYear;
  int highest = 0;
  int firstYears = 0;
  for (int year = 0; year <= kLastYear; ++year) {
    const std::string text = FourDigits(year);
    int count = 0;
    const WarekiEntry* entry = Covering(year, count);
    ASSERT_EQ(count, 1) << text;
    const std::string result = SeirekiWarekiChange(text);
    const std::string_view era = EraPart(result);
    ASSERT_TRUE(era.starts_with(entry->EraLabel)) << text;
    if (entry->Kind == Kind::FirstYear) {
      EXPECT_EQ(era, entry->EraLabel) << text;
      EXPECT_TRUE(era.ends_with("元年")) << text;
      ++firstYears;
      continue;
    }
    const std::string_view rest = era.substr(entry->EraLabel.size());
    ASSERT_TRUE(rest.ends_with(" 年")) << text;
    const int printed = Number(rest.substr(0, rest.size() - std::string_view(" 年").size()));
    EXPECT_EQ(printed, year - FirstYearOfEra(*entry) + 1) << text;
    EXPECT_EQ(rest.find("元年"), std::string_view::npos) << text;
    if (text == entry->LowYear && entry != &WarekiTable.front()) {
      EXPECT_EQ(printed, 2) << text;
    }
    lowest = std::min(lowest, printed);
    highest = std::max(highest, printed);
  }
  EXPECT_EQ(firstYears, 263);
  EXPECT_EQ(lowest, 2);
  EXPECT_EQ(highest, 7981);
}

TEST(EveryFourDigitYear, HasOnePeriodLabelExactlyUpTo1868) {
  for (int year = 0; year <= kLastYear; ++year) {
    const std::string text = FourDigits(year);
    const std::string result = SeirekiWarekiChange(text);
    const auto period = std::ranges::find_if(JidaiTable, [year](const era::JidaiEntry& entry) {
      return Number(entry.LowYear) <= year && year <= Number(entry.HighYear);
    });
    if (year <= kLastPeriodYear) {
      ASSERT_NE(period, JidaiTable.end()) << text;
      EXPECT_TRUE(result.ends_with(period->PeriodLabel)) << text;
      EXPECT_EQ(result.find("【"), result.rfind("【")) << text;
    } else {
      EXPECT_EQ(period, JidaiTable.end()) << text;
      EXPECT_EQ(result.find("【"), std::string::npos) << text;
    }
  }
}

}  // namespace
