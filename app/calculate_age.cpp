// The age from the date of birth in the three fields against today's date.
#include <array>
#include <cstddef>

#include "app/datefields.h"
#include "app/window1.h"
#include "platform/runtime.h"
#include "platform/text.h"

namespace app {

namespace {

using platform::Compare;
using platform::Format;
using platform::Val;

// The three field texts, each completed with leading zeros for the comparisons and arithmetic
// below; the fields themselves keep what the user typed.
using BirthParts = std::array<String, kDateFields.size()>;

BirthParts ReadBirthParts(const Window1& window) {
  BirthParts parts;
  for (std::size_t i = 0; i < kDateFields.size(); ++i) {
    parts[i] = ZeroFilled(FieldOf(window, kDateFields[i].field)->Text(), kDateFields[i].width);
  }
  return parts;
}

// The first field, in the order year, month, day, that is empty or out of range; none when the
// date can be computed.
const DateField* FirstFailingField(const BirthParts& parts) {
  for (std::size_t i = 0; i < kDateFields.size(); ++i) {
    if (parts[i].empty())
      return &kDateFields[i];
  }
  for (std::size_t i = 0; i < kDateFields.size(); ++i) {
    const auto& range = kDateFields[i].range;
    if (range && !range->fullText.Contains(parts[i]))
      return &kDateFields[i];
  }
  return nullptr;
}

struct Today {
  double year, month;
  String text, monthText, dayText;  // "20060810", "08", "10"
};

Today ReadToday() {
  const auto date = platform::New<platform::Date>();
  const String month = Format(date->Month(), "00");
  const String day = Format(date->Day(), "00");
  return {static_cast<double>(date->Year()), static_cast<double>(date->Month()),
          Format(date->Year(), "0000") + month + day, month, day};
}

double WholeYears(const Today& today, const BirthParts& birth) {
  const double years = today.year - Val(birth[kYear]);
  const bool birthdayCome =
      Compare(today.monthText + today.dayText, birth[kMonth] + birth[kDay]) >= 0;
  return birthdayCome ? years : years - 1;
}

// Whole months since the last birthday; a month is complete once today's day reaches the day
// of birth.
double MonthsSinceBirthday(const Today& today, const BirthParts& birth) {
  const double month = Val(birth[kMonth]);
  const int byMonth = Compare(today.monthText, birth[kMonth]);
  const bool dayReached = Compare(today.dayText, birth[kDay]) >= 0;
  if (byMonth > 0)
    return dayReached ? today.month - month : today.month - month - 1;
  if (byMonth == 0)
    return dayReached ? 0 : 11;
  return dayReached ? 12 - (month - today.month) : 11 - (month - today.month);
}

}  // namespace

void Window1::CalculateAge() {
  const BirthParts birth = ReadBirthParts(*this);
  if (const DateField* failing = FirstFailingField(birth)) {
    FieldOf(*this, failing->field)->SetFocus();
    return;
  }
  const Today today = ReadToday();
  const bool born = Compare(today.text, birth[kYear] + birth[kMonth] + birth[kDay]) >= 0;
  StaticText4()->SetText(Format(born ? WholeYears(today, birth) : 0, "##") + "歳");
  StaticText7()->SetText(Format(born ? MonthsSinceBirthday(today, birth) : 0, "##") + "ヶ月");
  // The year may not have been left yet (the button takes no focus, Ctrl+K leaves it where it
  // is): the era beside the age is the year's it was computed from.
  ShowEra(*this);
}

void Window1::PushButton2_Action(Ref<platform::PushButton>) {
  CalculateAge();
}

bool Window1::_keisanMenuItem_Action() {
  CalculateAge();
  return false;
}

}  // namespace app
