// The age calculation with a fixed today, through the "計算" button and through Ctrl+K alike.
#include <QApplication>
#include <QTest>
#include <cstddef>
#include <string>
#include <tuple>

#include "era/wareki.h"
#include "fixture.h"

namespace {

enum class Trigger { kButton, kMenuShortcut };

struct Day {
  int year, month, day;
};

constexpr Day kAugust10th2006{2006, 8, 10};
constexpr Day kNewYear2007{2007, 1, 1};
constexpr Day kFebruary28th2006{2006, 2, 28};

class CalculateTest : public AppTest {
 protected:
  // Types the date of birth into the fields as they are, without leaving any by a key.
  void enterBirth(const char* year, const char* month, const char* day) {
    const char* texts[] = {year, month, day};
    for (int n = 1; n <= 3; ++n) {
      click(field(n));
      type(field(n), QString::fromUtf8(texts[n - 1]));
    }
  }

  void calculate(Trigger trigger) {
    if (trigger == Trigger::kButton) {
      click(button("PushButton2"));
    } else {
      QWidget* focused = QApplication::focusWidget();
      ASSERT_NE(focused, nullptr);
      press(focused, Qt::Key_K, Qt::ControlModifier);
    }
  }

  QString years() const { return label("StaticText4")->text(); }
  QString months() const { return label("StaticText7")->text(); }
};

// Every case of a table runs once by the button and once by the shortcut.
template <class Case, std::size_t N>
auto BothWays(const Case (&cases)[N]) {
  return ::testing::Combine(::testing::ValuesIn(cases),
                            ::testing::Values(Trigger::kButton, Trigger::kMenuShortcut));
}

struct BothWaysName {
  template <class Case>
  std::string operator()(const ::testing::TestParamInfo<std::tuple<Case, Trigger>>& info) const {
    const auto& [c, trigger] = info.param;
    return std::string(c.name) + (trigger == Trigger::kButton ? "Button" : "CtrlK");
  }
};

// ---- Results ----------------------------------------------------------------------------

struct AgeCase {
  const char* name;
  Day today;
  const char *year, *month, *day;
  const char *years, *months;
};

const AgeCase kAgeCases[] = {
    {"MonthsSinceMay20", kAugust10th2006, "1990", "05", "20", "16歳", "2ヶ月"},
    {"MonthsSinceMay10", kAugust10th2006, "1990", "05", "10", "16歳", "3ヶ月"},
    {"BirthdayInNovember5", kAugust10th2006, "1990", "11", "05", "15歳", "9ヶ月"},
    {"BirthdayInNovember20", kAugust10th2006, "1990", "11", "20", "15歳", "8ヶ月"},
    {"BirthdayLaterInMonth", kAugust10th2006, "1990", "08", "20", "15歳", "11ヶ月"},
    {"BirthdayToday", kAugust10th2006, "1990", "08", "10", "16歳", "0ヶ月"},
    {"NewYearsEve1999", kAugust10th2006, "1999", "12", "31", "6歳", "7ヶ月"},
    {"February31st", kAugust10th2006, "1990", "02", "31", "16歳", "5ヶ月"},
    {"EarlierThisYear", kAugust10th2006, "2006", "03", "15", "0歳", "4ヶ月"},
    {"BornToday", kAugust10th2006, "2006", "08", "10", "0歳", "0ヶ月"},
    {"BornTomorrow", kAugust10th2006, "2006", "08", "11", "0歳", "0ヶ月"},
    {"BornNextYear", kAugust10th2006, "2007", "01", "01", "0歳", "0ヶ月"},
    {"NewYearDayBirthdayEve", kNewYear2007, "1990", "12", "31", "16歳", "0ヶ月"},
    {"NewYearDayJanuary2", kNewYear2007, "1990", "01", "02", "16歳", "11ヶ月"},
    {"FebruaryShortOf31st", kFebruary28th2006, "1990", "01", "31", "16歳", "0ヶ月"},
    // Fields not zero-filled count as if they were.
    {"ShortMonth", kAugust10th2006, "1990", "1", "15", "16歳", "6ヶ月"},
    {"ShortDay", kAugust10th2006, "1990", "05", "3", "16歳", "3ヶ月"},
    {"ShortMonthAndDay", kAugust10th2006, "1990", "5", "4", "16歳", "3ヶ月"},
    {"ThreeDigitYear", kAugust10th2006, "990", "05", "20", "1016歳", "2ヶ月"},
    {"OneDigitYear", kAugust10th2006, "5", "8", "10", "2001歳", "0ヶ月"},
};

class AgeTest : public CalculateTest,
                public ::testing::WithParamInterface<std::tuple<AgeCase, Trigger>> {};

TEST_P(AgeTest, ShowsYearsAndMonths) {
  const auto& [c, trigger] = GetParam();
  setToday(c.today.year, c.today.month, c.today.day);
  enterBirth("", c.month, c.day);
  click(field(1));  // the year last, and not left
  type(field(1), QString::fromUtf8(c.year));

  calculate(trigger);

  EXPECT_EQ(years(), QString::fromUtf8(c.years));
  const std::string year = QString::fromUtf8(c.year).rightJustified(4, u'0').toStdString();
  EXPECT_EQ(label("StaticText6")->text().toStdString(), era::SeirekiWarekiChange(year));
  EXPECT_EQ(months(), QString::fromUtf8(c.months));
  // The zero fill is the calculation's own: the fields keep what was typed.
  EXPECT_EQ(field(1)->text(), QString::fromUtf8(c.year));
  EXPECT_EQ(field(2)->text(), QString::fromUtf8(c.month));
  EXPECT_EQ(field(3)->text(), QString::fromUtf8(c.day));
}

INSTANTIATE_TEST_SUITE_P(Calculate, AgeTest, BothWays(kAgeCases), BothWaysName());

// ---- Early stops ------------------------------------------------------------------------

struct StopCase {
  const char* name;
  const char *year, *month, *day;
  int focus;  // the field that failed first
};

const StopCase kStopCases[] = {
    {"AllEmpty", "", "", "", 1},
    {"YearEmpty", "", "05", "20", 1},
    {"MonthEmpty", "1990", "", "", 2},
    {"DayEmpty", "1990", "05", "", 3},
    {"MonthZero", "1990", "0", "20", 2},
    {"MonthDoubleZero", "1990", "00", "20", 2},
    {"MonthThirteen", "1990", "13", "20", 2},
    {"MonthBeforeDay", "1990", "13", "32", 2},
    {"DayZero", "1990", "05", "0", 3},
    {"DayDoubleZero", "1990", "05", "00", 3},
    {"DayThirtyTwo", "1990", "05", "32", 3},
    {"EmptyBeforeRange", "1990", "13", "", 3},
};

class StopTest : public CalculateTest,
                 public ::testing::WithParamInterface<std::tuple<StopCase, Trigger>> {};

TEST_P(StopTest, MovesTheFocusAndWritesNothing) {
  const auto& [c, trigger] = GetParam();
  setToday(2006, 8, 10);
  enterBirth(c.year, c.month, c.day);
  window()->StaticText4()->SetText("before");
  window()->StaticText7()->SetText("before");
  const QString era = label("StaticText6")->text();

  calculate(trigger);

  EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == field(c.focus); }, 1000))
      << "focus expected in field " << c.focus;
  EXPECT_EQ(years(), "before");
  EXPECT_EQ(months(), "before");
  EXPECT_EQ(label("StaticText6")->text(), era);
  EXPECT_EQ(beeps(), 0);
}

INSTANTIATE_TEST_SUITE_P(Calculate, StopTest, BothWays(kStopCases), BothWaysName());

// ---- The menu handler -------------------------------------------------------------------

TEST_F(CalculateTest, MenuHandlerAnswersFalseOnEveryPath) {
  setToday(2006, 8, 10);
  enterBirth("1990", "05", "");
  EXPECT_FALSE(window()->_keisanMenuItem_Action());
  type(field(3), "20");
  EXPECT_FALSE(window()->_keisanMenuItem_Action());
  EXPECT_EQ(years(), QStringLiteral("16歳"));
}

}  // namespace
