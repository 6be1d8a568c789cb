// Random sequences of keys, clicks, pastes and calculations on the real window. After every
// action the fields, the era label, the focus and the result labels must agree with an oracle
// kept here from the field texts and today's date alone.
//
// Each sequence has its own seed (1, 2, ... up to the number of sequences) and starts from a
// fresh start-up. NANSAI_RANDOM_SEQUENCES sets how many run; NANSAI_RANDOM_SEED=<seed> replays
// the one sequence that a failure names.
#include <QApplication>
#include <QClipboard>
#include <QDate>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "era/wareki.h"
#include "fixture.h"
#include "platform/native.h"
#include "platform/testing.h"

namespace {

constexpr std::uint64_t kDefaultSequences = 2000;
constexpr int kMaxActions = 30;
// Enough failing sequences to see a pattern, few enough to read.
constexpr int kMaxFailingSequences = 3;

// ---- The oracle -------------------------------------------------------------------------

// The year (index 0), month and day fields: character limit and upper bound of the range test
// (0: no range).
struct FieldRule {
  int width;
  int high;
};
constexpr std::array<FieldRule, 3> kRules{{{4, 0}, {2, 12}, {2, 31}}};

using Texts = std::array<QString, 3>;

QString ZeroFilled(const QString& text, int width) {
  return text.isEmpty() ? text : text.rightJustified(width, u'0');
}

bool InRange(const QString& text, const FieldRule& rule) {
  const int value = text.toInt();
  return value >= 1 && value <= rule.high;
}

struct Age {
  int years, months;
};

// Whole years, and whole months since the last birthday, a month counting once today's day
// reaches the day of birth. Every month runs from day 1 to 31 here, so plain arithmetic on
// (year, month, day) is the rule; a birth after today gives nothing.
Age AgeOn(int year, int month, int day, QDate today) {
  const int birth = year * 10000 + month * 100 + day;
  const int now = today.year() * 10000 + today.month() * 100 + today.day();
  if (birth > now)
    return {0, 0};
  const int months =
      (today.year() - year) * 12 + (today.month() - month) - (today.day() < day ? 1 : 0);
  return {months / 12, months % 12};
}

// A calculation stops at the first field (0 year, 1 month, 2 day) that is empty or out of
// range, or gives an age. Short texts count as zero-filled.
struct Calculation {
  int failing = -1;
  Age age{};
};

Calculation Calculate(const Texts& texts, QDate today) {
  for (int i = 0; i < 3; ++i) {
    if (texts[i].isEmpty())
      return {i};
  }
  for (int i = 1; i < 3; ++i) {
    if (!InRange(texts[i], kRules[i]))
      return {i};
  }
  return {-1, AgeOn(texts[0].toInt(), texts[1].toInt(), texts[2].toInt(), today)};
}

// What Tab, Return or Enter does in a field: refuses it (to be emptied), or accepts it
// completed with leading zeros.
struct Leaving {
  bool refused;
  QString text;
};

Leaving Leave(int field, const QString& text) {
  const FieldRule& rule = kRules[field];
  if (rule.high == 0 || text.isEmpty())
    return {false, ZeroFilled(text, rule.width)};
  if (!InRange(text, rule))
    return {true, QString()};
  return {false, ZeroFilled(text, rule.width)};
}

QString EraOf(const QString& year) {
  return QString::fromStdString(era::SeirekiWarekiChange(ZeroFilled(year, 4).toStdString()));
}

// ---- Actions ----------------------------------------------------------------------------

enum class Kind { kType, kKey, kClick, kPaste, kCalculateButton };
enum class Direction { kNone, kForward, kBackward };

// One row of the mix from which actions are drawn.
struct ActionKind {
  const char* name;
  int weight;
  Kind kind;
  Qt::Key key;
  Qt::KeyboardModifiers modifiers;
  Direction leaving;  // a field-leaving key, and where it sends the focus
  bool calculates;
};

constexpr Qt::KeyboardModifiers kNone{};
constexpr Qt::KeyboardModifiers kShift{Qt::ShiftModifier};
constexpr Qt::KeyboardModifiers kCtrl{Qt::ControlModifier};
constexpr Qt::KeyboardModifiers kKeypad{Qt::KeypadModifier};
constexpr Qt::Key kNoKey = Qt::Key_unknown;
constexpr auto kFwd = Direction::kForward;
constexpr auto kBack = Direction::kBackward;
constexpr auto kStay = Direction::kNone;

// clang-format off
constexpr ActionKind kMix[] = {
  // name          weight kind                     key                modifiers leaving calculates
  {"digit",        16,    Kind::kType,             kNoKey,            kNone,    kStay,  false},
  {"number",       12,    Kind::kType,             kNoKey,            kNone,    kStay,  false},
  {"letter",        4,    Kind::kType,             kNoKey,            kNone,    kStay,  false},
  {"Backspace",     5,    Kind::kKey,              Qt::Key_Backspace, kNone,    kStay,  false},
  {"Tab",           8,    Kind::kKey,              Qt::Key_Tab,       kNone,    kFwd,   false},
  {"Shift+Tab",     3,    Kind::kKey,              Qt::Key_Tab,       kShift,   kBack,  false},
  {"Backtab",       2,    Kind::kKey,              Qt::Key_Backtab,   kShift,   kBack,  false},
  {"Return",        5,    Kind::kKey,              Qt::Key_Return,    kNone,    kFwd,   false},
  {"Enter",         4,    Kind::kKey,              Qt::Key_Enter,     kKeypad,  kFwd,   false},
  {"click",         9,    Kind::kClick,            kNoKey,            kNone,    kStay,  false},
  {"paste",         5,    Kind::kPaste,            Qt::Key_V,         kCtrl,    kStay,  false},
  {"Ctrl+K",        5,    Kind::kKey,              Qt::Key_K,         kCtrl,    kStay,  true},
  {"button 計算",   5,    Kind::kCalculateButton,  kNoKey,            kNone,    kStay,  true},
};
// clang-format on

constexpr int TotalWeight() {
  int total = 0;
  for (const ActionKind& row : kMix)
    total += row.weight;
  return total;
}

struct Action {
  const ActionKind* kind;
  QString text;      // typed or pasted
  int field = 0;     // clicked
  int xPercent = 0;  // where in the field, from its left edge
};

std::string Describe(const Action& action) {
  std::string out = action.kind->name;
  if (action.kind->kind == Kind::kType || action.kind->kind == Kind::kPaste)
    out += " \"" + action.text.toStdString() + "\"";
  if (action.kind->kind == Kind::kClick)
    out += " field " + std::to_string(action.field + 1) + " at " + std::to_string(action.xPercent) +
           "%";
  return out;
}

// Draws from one seed. Only the engine's raw output is used, so a seed replays the same
// sequence with any standard library.
class Dice {
 public:
  explicit Dice(std::uint64_t seed) : engine_(seed) {}
  int Below(int n) { return static_cast<int>(engine_() % static_cast<std::uint64_t>(n)); }
  int Between(int low, int high) { return low + Below(high - low + 1); }
  QChar From(std::u16string_view chars) { return QChar(chars[Below(int(chars.size()))]); }

 private:
  std::mt19937_64 engine_;
};

constexpr std::u16string_view kDigits = u"0123456789";
constexpr std::u16string_view kLetters = u"abcjxyzABCJXYZ";
constexpr std::u16string_view kMixed = u"0123456789abcXYZ -.+１２年";

// Days that the calculation treats specially, and otherwise any day of two centuries.
constexpr int kNotableDays[][3] = {
    {2006, 8, 10}, {2007, 1, 1}, {2006, 2, 28}, {2004, 2, 29}, {1999, 12, 31}, {2000, 1, 31},
};

QDate DrawToday(Dice& dice) {
  if (dice.Below(2) == 0) {
    const auto& day = kNotableDays[dice.Below(int(std::size(kNotableDays)))];
    return QDate(day[0], day[1], day[2]);
  }
  const int year = dice.Between(1900, 2099);
  const int month = dice.Between(1, 12);
  return QDate(year, month, dice.Between(1, QDate(year, month, 1).daysInMonth()));
}

// A year up to a century before today's, a month or day next to today's (where birthdays
// count or not), or any small number; short ones with or without their leading zero.
QString DrawNumber(Dice& dice, QDate today) {
  int value = 0;
  switch (dice.Below(4)) {
    case 0:
      return QString::number(dice.Between(today.year() - 100, today.year() + 1));
    case 1:
      value = today.month() + dice.Between(-1, 1);
      break;
    case 2:
      value = today.day() + dice.Between(-1, 1);
      break;
    default:
      value = dice.Between(0, 32);
  }
  const QString number = QString::number(value);
  return dice.Below(2) == 0 ? number : number.rightJustified(2, u'0');
}

QString DrawPaste(Dice& dice) {
  const std::u16string_view alphabets[] = {kDigits, kLetters, kMixed};
  const std::u16string_view alphabet = alphabets[dice.Below(3)];
  QString text;
  for (int n = dice.Between(0, 6); n > 0; --n)
    text += dice.From(alphabet);
  return text;
}

const ActionKind& DrawKind(Dice& dice) {
  int pick = dice.Below(TotalWeight());
  for (const ActionKind& row : kMix) {
    if (pick < row.weight)
      return row;
    pick -= row.weight;
  }
  throw std::logic_error("the action mix lost a row");
}

Action DrawAction(Dice& dice, QDate today) {
  Action action{&DrawKind(dice), QString(), 0, 0};
  const std::string_view name = action.kind->name;
  if (name == "digit")
    action.text = dice.From(kDigits);
  else if (name == "number")
    action.text = DrawNumber(dice, today);
  else if (name == "letter")
    action.text = dice.From(kLetters);
  else if (action.kind->kind == Kind::kPaste)
    action.text = DrawPaste(dice);
  else if (action.kind->kind == Kind::kClick) {
    action.field = dice.Below(3);
    action.xPercent = dice.Between(5, 95);
  }
  return action;
}

struct Sequence {
  std::uint64_t seed;
  QDate today;
  std::vector<Action> actions;
};

Sequence DrawSequence(std::uint64_t seed) {
  Dice dice(seed);
  Sequence sequence{seed, DrawToday(dice), {}};
  for (int n = dice.Between(1, kMaxActions); n > 0; --n)
    sequence.actions.push_back(DrawAction(dice, sequence.today));
  return sequence;
}

std::string Describe(const Sequence& sequence) {
  std::string out = "seed " + std::to_string(sequence.seed) +
                    " (replay with NANSAI_RANDOM_SEED=" + std::to_string(sequence.seed) +
                    "), today " + sequence.today.toString(Qt::ISODate).toStdString() + ", actions:";
  for (std::size_t i = 0; i < sequence.actions.size(); ++i)
    out += "\n  " + std::to_string(i + 1) + ". " + Describe(sequence.actions[i]);
  return out;
}

std::string Described(const std::exception_ptr& raised) {
  try {
    std::rethrow_exception(raised);
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return "an exception of unknown type";
  }
}

// A whole-number environment setting; `fallback` when unset.
std::uint64_t Setting(const char* name, std::uint64_t fallback) {
  const char* value = std::getenv(name);
  if (!value)
    return fallback;
  const std::string_view text(value);
  std::uint64_t number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error != std::errc{} || end != text.data() + text.size() || text.empty())
    throw std::invalid_argument(std::string(name) + "=\"" + value + "\" is not a whole number");
  return number;
}

std::vector<std::uint64_t> SeedsToRun() {
  if (std::getenv("NANSAI_RANDOM_SEED"))
    return {Setting("NANSAI_RANDOM_SEED", 0)};
  std::vector<std::uint64_t> seeds(Setting("NANSAI_RANDOM_SEQUENCES", kDefaultSequences));
  for (std::size_t i = 0; i < seeds.size(); ++i)
    seeds[i] = i + 1;
  return seeds;
}

// ---- The run ----------------------------------------------------------------------------

// What the window shows between two actions.
struct Snapshot {
  Texts texts;
  int focus;  // 0 to 2 for a date field, -1 for anything else
  QString era, years, months;
};

class RandomKeysTest : public AppTest {
 protected:
  RandomKeysTest() {
    // Any caution dialog is dismissed as soon as its modal loop runs, and counted.
    dismisser_.setInterval(0);
    QObject::connect(&dismisser_, &QTimer::timeout, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box)
        return;
      ++dialogs_;
      if (box->buttons().isEmpty())
        box->reject();
      else
        box->buttons().first()->click();
    });
    dismisser_.start();
    QObject::connect(qApp, &QApplication::focusChanged, &context_, [this](QWidget* old, QWidget*) {
      if (old && old == fields_[0])
        yearLeftNow_ = true;
    });
  }

  // Runs the sequences, giving up after kMaxFailingSequences failing ones.
  void run(const std::vector<std::uint64_t>& seeds);

 private:
  bool runSequence(const Sequence& sequence);
  void restart(QDate today);
  void perform(const Action& action);
  Snapshot snapshot() const;
  void check(const Action& action, const Snapshot& before, const Snapshot& after);
  void checkLeaving(const Action& action, const Snapshot& before, const Snapshot& after);
  void checkCalculation(const Snapshot& before, const Snapshot& after);
  void checkEra(const Snapshot& before, const Snapshot& after, bool ageShown);
  int failures() const;

  std::array<QPointer<QLineEdit>, 3> fields_;
  QDate today_;
  bool yearLeft_ = false, yearLeftNow_ = false;
  int dialogs_ = 0, textChanges_ = 0;  // during the current action
  QString expectedYears_, expectedMonths_;
  QTimer dismisser_;
  QObject context_;
  bool firstRun_ = true;
};

int RandomKeysTest::failures() const {
  return ::testing::UnitTest::GetInstance()->current_test_info()->result()->total_part_count();
}

// A fresh start-up for every sequence, so a seed replays on its own.
void RandomKeysTest::restart(QDate today) {
  if (!firstRun_) {
    TearDown();
    SetUp();
  }
  firstRun_ = false;
  setToday(today.year(), today.month(), today.day());
  for (int i = 0; i < 3; ++i) {
    fields_[i] = field(i + 1);
    QObject::connect(fields_[i], &QLineEdit::textChanged, &context_, [this] { ++textChanges_; });
  }
  today_ = today;
  yearLeft_ = false;
  const Snapshot start = snapshot();
  expectedYears_ = start.years;
  expectedMonths_ = start.months;
}

Snapshot RandomKeysTest::snapshot() const {
  Snapshot shot{{},
                -1,
                label("StaticText6")->text(),
                label("StaticText4")->text(),
                label("StaticText7")->text()};
  for (int i = 0; i < 3; ++i) {
    shot.texts[i] = fields_[i]->text();
    if (QApplication::focusWidget() == fields_[i])
      shot.focus = i;
  }
  return shot;
}

void RandomKeysTest::perform(const Action& action) {
  QWidget* target = QApplication::focusWidget();
  if (!target)
    target = platform::NativeWindowWidget(*window());
  switch (action.kind->kind) {
    case Kind::kType:
      QTest::keyClicks(target, action.text);
      break;
    case Kind::kPaste:
      QApplication::clipboard()->setText(action.text);
      [[fallthrough]];
    case Kind::kKey:
      QTest::keyClick(target, action.kind->key, action.kind->modifiers);
      break;
    case Kind::kClick: {
      QLineEdit* f = fields_[action.field];
      const QPoint at(f->width() * action.xPercent / 100, f->height() / 2);
      QTest::mouseClick(f, Qt::LeftButton, {}, at);
      break;
    }
    case Kind::kCalculateButton:
      click(button("PushButton2"));
      break;
  }
  // A dismissed dialog leaves no window active until the platform activates it again.
  QMainWindow* main = platform::NativeWindowWidget(*window());
  if (!main->isActiveWindow()) {
    EXPECT_TRUE(QTest::qWaitForWindowActive(main, 1000)) << "the window stays inactive";
  }
}

bool RandomKeysTest::runSequence(const Sequence& sequence) {
  SCOPED_TRACE(Describe(sequence));
  const int failuresBefore = failures();
  restart(sequence.today);
  if (HasFatalFailure())
    return false;
  for (std::size_t i = 0; i < sequence.actions.size(); ++i) {
    const Action& action = sequence.actions[i];
    SCOPED_TRACE("after action " + std::to_string(i + 1) + ": " + Describe(action));
    const Snapshot before = snapshot();
    dialogs_ = 0;
    textChanges_ = 0;
    yearLeftNow_ = false;
    perform(action);
    if (const std::exception_ptr raised = platform::testing::TakePendingException()) {
      ADD_FAILURE() << "a handler raised " << Described(raised);
      break;
    }
    check(action, before, snapshot());
    if (failures() > failuresBefore)
      break;
  }
  return failures() == failuresBefore;
}

void RandomKeysTest::run(const std::vector<std::uint64_t>& seeds) {
  int failing = 0;
  for (const std::uint64_t seed : seeds) {
    if (!runSequence(DrawSequence(seed)) && ++failing >= kMaxFailingSequences)
      return;
  }
}

void RandomKeysTest::check(const Action& action, const Snapshot& before, const Snapshot& after) {
  for (int i = 0; i < 3; ++i) {
    const QString& text = after.texts[i];
    const bool digitsOnly =
        std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    EXPECT_TRUE(digitsOnly && text.size() <= kRules[i].width)
        << "field " << i + 1 << " holds \"" << text.toStdString() << "\"";
  }
  if (action.kind->leaving != Direction::kNone && before.focus >= 0)
    checkLeaving(action, before, after);
  else
    EXPECT_EQ(dialogs_, 0) << "a caution dialog came";
  if (action.kind->calculates) {
    checkCalculation(before, after);
  } else if (textChanges_ > 0) {
    expectedYears_.clear();
    expectedMonths_.clear();
  }
  EXPECT_EQ(after.years.toStdString(), expectedYears_.toStdString()) << "years label";
  EXPECT_EQ(after.months.toStdString(), expectedMonths_.toStdString()) << "months label";
  checkEra(before, after, action.kind->calculates && Calculate(before.texts, today_).failing < 0);
}

void RandomKeysTest::checkLeaving(const Action& action, const Snapshot& before,
                                  const Snapshot& after) {
  const int from = before.focus;
  const Leaving leaving = Leave(from, before.texts[from]);
  const int step = action.kind->leaving == Direction::kForward ? 1 : 2;
  const int expectedFocus = leaving.refused ? from : (from + step) % 3;
  EXPECT_EQ(dialogs_, leaving.refused ? 1 : 0) << "caution dialogs";
  EXPECT_EQ(after.texts[from].toStdString(), leaving.text.toStdString())
      << "field " << from + 1 << " after leaving";
  EXPECT_EQ(after.focus, expectedFocus) << "focus (0 year, 1 month, 2 day)";
}

void RandomKeysTest::checkCalculation(const Snapshot& before, const Snapshot& after) {
  EXPECT_EQ(textChanges_, 0) << "a calculation changed a field";
  const Calculation calculation = Calculate(before.texts, today_);
  if (calculation.failing >= 0) {
    EXPECT_EQ(after.focus, calculation.failing) << "focus after a refused calculation";
    return;
  }
  EXPECT_GE(calculation.age.months, 0);
  EXPECT_LE(calculation.age.months, 11);
  expectedYears_ = QString::number(calculation.age.years) + QStringLiteral("歳");
  expectedMonths_ = QString::number(calculation.age.months) + QStringLiteral("ヶ月");
}

// Once the year field has been left, the era label shows the era of its text zero-filled; the
// label changes at no other time but for an age shown, which takes the year as leaving does.
void RandomKeysTest::checkEra(const Snapshot& before, const Snapshot& after, bool ageShown) {
  yearLeft_ = yearLeft_ || yearLeftNow_ || ageShown;
  if (yearLeftNow_ || ageShown || (yearLeft_ && after.focus != 0)) {
    EXPECT_EQ(after.era.toStdString(), EraOf(after.texts[0]).toStdString())
        << "era label for year \"" << after.texts[0].toStdString() << "\"";
  } else {
    EXPECT_EQ(after.era.toStdString(), before.era.toStdString()) << "era label changed";
  }
}

// ---- The oracle's own figures -------------------------------------------------------------

struct AgeCase {
  int year, month, day;
  QDate today;
  int years, months;
};

TEST(RandomKeysOracle, AgreesWithTheWorkedExamples) {
  const QDate august10(2006, 8, 10);
  const AgeCase cases[] = {
      {1990, 5, 20, august10, 16, 2},
      {1990, 5, 10, august10, 16, 3},
      {1990, 11, 5, august10, 15, 9},
      {1990, 11, 20, august10, 15, 8},
      {1990, 8, 20, august10, 15, 11},
      {1990, 8, 10, august10, 16, 0},
      {1999, 12, 31, august10, 6, 7},
      {1990, 2, 31, august10, 16, 5},
      {2006, 3, 15, august10, 0, 4},
      {2006, 8, 10, august10, 0, 0},
      {2007, 1, 1, august10, 0, 0},
      {990, 5, 20, august10, 1016, 2},  // the year zero-filled to 0990
      {1990, 12, 31, QDate(2007, 1, 1), 16, 0},
      {1990, 1, 2, QDate(2007, 1, 1), 16, 11},
      {1990, 1, 31, QDate(2006, 2, 28), 16, 0},
  };
  for (const AgeCase& c : cases) {
    const Age age = AgeOn(c.year, c.month, c.day, c.today);
    EXPECT_EQ(age.years, c.years) << c.year << "-" << c.month << "-" << c.day;
    EXPECT_EQ(age.months, c.months) << c.year << "-" << c.month << "-" << c.day;
  }
}

TEST_F(RandomKeysTest, EveryActionKeepsTheWindowConsistent) {
  run(SeedsToRun());
}

}  // namespace
