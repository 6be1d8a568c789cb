// The date fields driven by real key events: leading zeros, range checks with the caution
// dialog, the focus ring, the era label, the result labels and the fields' input limits.
#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <memory>
#include <ostream>
#include <vector>

#include "era/wareki.h"
#include "fixture.h"

namespace {

const QString kCautionMessage = QStringLiteral("注意：日付に誤りがあります。");
const char* const kMonthExplanation = "月を正しく入力してください。";
const char* const kDayExplanation = "日を正しく入力してください。";

QString EraOf(const char* year) {
  return QString::fromStdString(era::SeirekiWarekiChange(year));
}

// What a caution dialog showed, and what its field held while it was up.
struct Caution {
  QString fieldTextWhileShown;
  DialogSeen dialog;  // nil when no dialog came
};

class FieldsTest : public AppTest {
 protected:
  // Enters a field with a click and types into it, as the user does.
  void enter(int n, const char* text) {
    click(field(n));
    type(field(n), QString::fromUtf8(text));
  }

  std::int32_t alignment(int n) const {
    const auto w = window();
    return (n == 1 ? w->EditField1() : n == 2 ? w->EditField2() : w->EditField3())->Alignment();
  }

  bool waitForFocus(int n) {
    return QTest::qWaitFor([&] { return QApplication::focusWidget() == field(n); }, 1000);
  }

  // Notes the field's text as soon as a message box is up, then lets the fixture's watcher
  // record and dismiss the box.
  std::shared_ptr<Caution> expectCaution(int n) {
    auto caution = std::make_shared<Caution>();
    auto watcher = std::make_unique<QTimer>();
    QTimer* timer = watcher.get();
    timer->setInterval(0);
    QObject::connect(timer, &QTimer::timeout, [this, timer, caution, n] {
      if (!qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
        return;
      timer->stop();
      caution->fieldTextWhileShown = field(n)->text();
      caution->dialog = expectDialog();
    });
    timer->start();
    watchers_.push_back(std::move(watcher));
    return caution;
  }

  void setResults(const char* years, const char* months) {
    window()->StaticText4()->SetText(years);
    window()->StaticText7()->SetText(months);
  }

 private:
  std::vector<std::unique_ptr<QTimer>> watchers_;
};

// ---- Field-leaving keys ------------------------------------------------------------------

struct LeavingKey {
  const char* name;
  int field;  // 1 year, 2 month, 3 day
  const char* typed;
  Qt::Key key;
  Qt::KeyboardModifiers modifiers;
  const char* textAfter;
  int focusAfter;
  const char* explanation;  // of the caution dialog; nullptr when the text is accepted
};

constexpr Qt::KeyboardModifiers kNone{};
constexpr Qt::KeyboardModifiers kShift{Qt::ShiftModifier};
constexpr Qt::KeyboardModifiers kKeypad{Qt::KeypadModifier};
constexpr Qt::KeyboardModifiers kShiftKeypad{Qt::ShiftModifier | Qt::KeypadModifier};
constexpr Qt::KeyboardModifiers kCtrl{Qt::ControlModifier};

const LeavingKey kLeavingKeys[] = {
    {"YearEmptyTab", 1, "", Qt::Key_Tab, kNone, "", 2, nullptr},
    {"YearOneReturn", 1, "7", Qt::Key_Return, kNone, "0007", 2, nullptr},
    {"YearTwoTab", 1, "19", Qt::Key_Tab, kNone, "0019", 2, nullptr},
    {"YearThreeEnter", 1, "123", Qt::Key_Enter, kKeypad, "0123", 2, nullptr},
    {"YearFourShiftTab", 1, "1990", Qt::Key_Tab, kShift, "1990", 3, nullptr},
    {"YearZeroShiftReturn", 1, "0", Qt::Key_Return, kShift, "0000", 3, nullptr},
    {"MonthEmptyTab", 2, "", Qt::Key_Tab, kNone, "", 3, nullptr},
    {"MonthOneTab", 2, "5", Qt::Key_Tab, kNone, "05", 3, nullptr},
    {"MonthOneShiftTab", 2, "5", Qt::Key_Tab, kShift, "05", 1, nullptr},
    {"MonthLowEnter", 2, "01", Qt::Key_Enter, kKeypad, "01", 3, nullptr},
    {"MonthTenReturn", 2, "10", Qt::Key_Return, kNone, "10", 3, nullptr},
    {"MonthHighShiftEnter", 2, "12", Qt::Key_Enter, kShiftKeypad, "12", 1, nullptr},
    {"MonthZeroTab", 2, "0", Qt::Key_Tab, kNone, "", 2, kMonthExplanation},
    {"MonthDoubleZeroReturn", 2, "00", Qt::Key_Return, kNone, "", 2, kMonthExplanation},
    {"MonthThirteenEnter", 2, "13", Qt::Key_Enter, kKeypad, "", 2, kMonthExplanation},
    {"MonthNineteenShiftTab", 2, "19", Qt::Key_Tab, kShift, "", 2, kMonthExplanation},
    {"MonthThirteenCtrlTab", 2, "13", Qt::Key_Tab, kCtrl, "", 2, kMonthExplanation},
    {"DayEmptyShiftTab", 3, "", Qt::Key_Tab, kShift, "", 2, nullptr},
    {"DayNineReturn", 3, "9", Qt::Key_Return, kNone, "09", 1, nullptr},
    {"DayNineShiftReturn", 3, "9", Qt::Key_Return, kShift, "09", 2, nullptr},
    {"DayHighTab", 3, "31", Qt::Key_Tab, kNone, "31", 1, nullptr},
    {"DayAltReturnGoesOn", 3, "15", Qt::Key_Return, Qt::AltModifier, "15", 1, nullptr},
    {"DayThirtyTwoTab", 3, "32", Qt::Key_Tab, kNone, "", 3, kDayExplanation},
    {"DayDoubleZeroEnter", 3, "00", Qt::Key_Enter, kKeypad, "", 3, kDayExplanation},
    {"DayZeroShiftReturn", 3, "0", Qt::Key_Return, kShift, "", 3, kDayExplanation},
};

class LeavingKeyTest : public FieldsTest, public ::testing::WithParamInterface<LeavingKey> {};

TEST_P(LeavingKeyTest, FillsChecksAndMovesTheFocus) {
  const LeavingKey& c = GetParam();
  enter(c.field, c.typed);
  const QString eraBefore = label("StaticText6")->text();
  const auto caution = expectCaution(c.field);

  press(field(c.field), c.key, c.modifiers);

  EXPECT_TRUE(waitForFocus(c.focusAfter)) << "focus expected in field " << c.focusAfter;
  EXPECT_EQ(field(c.field)->text(), QString::fromUtf8(c.textAfter));
  if (c.explanation) {
    ASSERT_TRUE(caution->dialog) << "no caution dialog";
    EXPECT_EQ(caution->fieldTextWhileShown, QString::fromUtf8(c.typed)) << "emptied too early";
    EXPECT_EQ(caution->dialog->title, QStringLiteral("注意"));
    EXPECT_EQ(caution->dialog->text, kCautionMessage);
    EXPECT_EQ(caution->dialog->informativeText, QString::fromUtf8(c.explanation));
    EXPECT_EQ(caution->dialog->buttons, QStringList{"OK"});
    EXPECT_EQ(caution->dialog->icon, QMessageBox::Warning);
    EXPECT_EQ(beeps(), 1);
  } else {
    EXPECT_FALSE(caution->dialog) << "unexpected dialog: "
                                  << caution->dialog->informativeText.toStdString();
    EXPECT_EQ(beeps(), 0);
  }
  const bool eraRefreshed = c.field == 1;
  EXPECT_EQ(label("StaticText6")->text(), eraRefreshed ? EraOf(c.textAfter) : eraBefore);
}

INSTANTIATE_TEST_SUITE_P(DateFields, LeavingKeyTest, ::testing::ValuesIn(kLeavingKeys),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Other keys -------------------------------------------------------------------------

TEST_F(FieldsTest, OtherKeysGoToTheFieldUntouched) {
  // An out-of-range month would be refused by a leaving key; no other key may check it.
  enter(2, "13");
  const QString eraBefore = label("StaticText6")->text();
  const auto caution = expectCaution(2);
  const Qt::Key keys[] = {Qt::Key_Left,  Qt::Key_Right,   Qt::Key_Home,   Qt::Key_End,
                          Qt::Key_Up,    Qt::Key_Down,    Qt::Key_Escape, Qt::Key_Space,
                          Qt::Key_A,     Qt::Key_F2,      Qt::Key_PageUp, Qt::Key_Insert,
                          Qt::Key_Shift, Qt::Key_Control, Qt::Key_Alt};
  for (const Qt::Key key : keys) {
    press(field(2), key);
    EXPECT_EQ(field(2)->text(), "13") << "key " << key;
    EXPECT_EQ(QApplication::focusWidget(), field(2)) << "key " << key;
  }
  press(field(2), Qt::Key_Backspace);
  EXPECT_EQ(field(2)->text(), "1");
  QTest::qWait(20);
  EXPECT_FALSE(caution->dialog);
  EXPECT_EQ(beeps(), 0);
  EXPECT_EQ(label("StaticText6")->text(), eraBefore);
}

// ---- The era label ----------------------------------------------------------------------

struct YearText {
  const char* typed;
  const char* filled;
};

void PrintTo(const YearText& c, std::ostream* out) {
  *out << "year \"" << c.typed << '"';
}

class EraRoadTest : public FieldsTest, public ::testing::WithParamInterface<YearText> {};

TEST_P(EraRoadTest, TabAndClickShowTheSameEra) {
  const YearText& c = GetParam();
  enter(1, c.typed);
  press(field(1), Qt::Key_Tab);
  const QString byTab = label("StaticText6")->text();
  EXPECT_EQ(field(1)->text(), QString::fromUtf8(c.filled));

  // Back into the year, whose whole text the focus selects, and out again by a click.
  press(field(2), Qt::Key_Tab, Qt::ShiftModifier);
  ASSERT_TRUE(waitForFocus(1));
  type(field(1), QString::fromUtf8(c.typed));
  click(field(3));
  EXPECT_EQ(field(1)->text(), QString::fromUtf8(c.typed)) << "leaving by click keeps the text";
  EXPECT_EQ(label("StaticText6")->text(), byTab);
  EXPECT_EQ(byTab, EraOf(c.filled));
}

INSTANTIATE_TEST_SUITE_P(DateFields, EraRoadTest,
                         ::testing::Values(YearText{"5", "0005"}, YearText{"19", "0019"},
                                           YearText{"990", "0990"}, YearText{"1980", "1980"},
                                           YearText{"", ""}));

TEST_F(FieldsTest, LeavingTheYearByClickShowsItsEraAndAlignment) {
  click(field(3));
  enter(1, "1980");
  EXPECT_EQ(window()->EditField1()->Alignment(), 1);
  click(field(2));
  const QString era = label("StaticText6")->text();
  EXPECT_TRUE(era.startsWith(QStringLiteral("昭和"))) << era.toStdString();
  EXPECT_TRUE(era.contains(QStringLiteral("55 年"))) << era.toStdString();
  EXPECT_EQ(window()->EditField1()->Alignment(), 3);
  EXPECT_EQ(window()->EditField2()->Alignment(), 1);
  EXPECT_EQ(window()->EditField3()->Alignment(), 3);
}

TEST_F(FieldsTest, EditingTheYearKeepsTheEraUntilTheFieldIsLeft) {
  enter(1, "1980");
  press(field(1), Qt::Key_Tab);
  const QString era = label("StaticText6")->text();
  click(field(1));
  type(field(1), "2");
  ASSERT_EQ(field(1)->text(), "2") << "the digit did not replace the year";
  EXPECT_EQ(label("StaticText6")->text(), era);
}

// ---- Focus: selection and alignment -----------------------------------------------------

TEST_F(FieldsTest, FocusByKeySelectsTheWholeTextAndSwitchesAlignment) {
  enter(1, "1990");
  press(field(1), Qt::Key_Tab);
  type(field(2), "5");
  press(field(2), Qt::Key_Tab);
  EXPECT_EQ(window()->EditField2()->Alignment(), 3);
  EXPECT_EQ(window()->EditField3()->Alignment(), 1);
  type(field(3), "20");
  press(field(3), Qt::Key_Tab);
  ASSERT_TRUE(waitForFocus(1));
  EXPECT_EQ(window()->EditField3()->Alignment(), 3);
  EXPECT_EQ(window()->EditField1()->Alignment(), 1);

  // Around the ring again: each field's whole text is selected, so typing replaces it.
  EXPECT_EQ(field(1)->selectedText(), "1990");
  type(field(1), "2001");
  EXPECT_EQ(field(1)->text(), "2001");
  press(field(1), Qt::Key_Tab);
  EXPECT_EQ(field(2)->selectedText(), "05");
  type(field(2), "7");
  EXPECT_EQ(field(2)->text(), "7");
  press(field(2), Qt::Key_Tab, Qt::ShiftModifier);
  ASSERT_TRUE(waitForFocus(1));
  EXPECT_EQ(field(1)->selectedText(), "2001");
  EXPECT_EQ(field(2)->text(), "07");
}

// However a field is entered, its whole text is selected, so the next digit replaces it.
TEST_F(FieldsTest, AClickIntoAFilledFieldSelectsItsWholeText) {
  enter(1, "1990");
  press(field(1), Qt::Key_Tab);
  type(field(2), "5");
  press(field(2), Qt::Key_Tab);
  type(field(3), "20");
  const char* const replaced[] = {"", "7", "8", "9"};
  for (const int n : {2, 1, 3}) {
    click(field(n));
    EXPECT_EQ(field(n)->selectedText(), field(n)->text()) << "field " << n;
    type(field(n), replaced[n]);
    EXPECT_EQ(field(n)->text(), replaced[n]) << "field " << n;
  }
  // A click into the field that has the focus only places the caret, however it was entered.
  click(field(3));
  EXPECT_FALSE(field(3)->hasSelectedText());
  press(field(3), Qt::Key_Tab);
  ASSERT_TRUE(waitForFocus(1));
  click(field(1));
  EXPECT_FALSE(field(1)->hasSelectedText());
  // A drag that begins with the focusing click keeps what it selected: from beyond the end of
  // "09" back over its last digit.
  QLineEdit* day = field(3);
  const int y = day->height() / 2;
  QTest::mousePress(day, Qt::LeftButton, {}, QPoint(day->width() - 3, y));
  const int end = day->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
  const int x = end - day->fontMetrics().horizontalAdvance('9');
  QTest::mouseMove(day, QPoint(x, y));
  QTest::mouseRelease(day, Qt::LeftButton, {}, QPoint(x, y));
  EXPECT_EQ(day->selectedText(), "9");
}

TEST_F(FieldsTest, EveryFocusGainSelectsRomanInput) {
  // The first focus, which the window gives the year field as it opens, enters it too.
  ASSERT_TRUE(waitForFocus(1));
  for (const int n : {1, 2, 3, 1}) {
    if (QApplication::focusWidget() != field(n))
      click(field(n));
    QInputMethodQueryEvent query(Qt::ImEnabled);
    QApplication::sendEvent(field(n), &query);
    EXPECT_FALSE(query.value(Qt::ImEnabled).toBool()) << "field " << n << " takes composition";
    EXPECT_EQ(alignment(n), 1) << "field " << n;
  }
}

// ---- Result labels ----------------------------------------------------------------------

TEST_F(FieldsTest, AnyChangeOfAnyFieldEmptiesTheResults) {
  for (const int n : {1, 2, 3}) {
    click(field(n));
    const QString era = label("StaticText6")->text();

    setResults("16歳", "2ヶ月");
    type(field(n), "1");
    EXPECT_EQ(label("StaticText4")->text(), "") << "typing into field " << n;
    EXPECT_EQ(label("StaticText7")->text(), "") << "typing into field " << n;

    setResults("16歳", "2ヶ月");
    QApplication::clipboard()->setText("2");
    press(field(n), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(field(n)->text(), "12");
    EXPECT_EQ(label("StaticText4")->text(), "") << "pasting into field " << n;
    EXPECT_EQ(label("StaticText7")->text(), "") << "pasting into field " << n;

    setResults("16歳", "2ヶ月");
    press(field(n), Qt::Key_Backspace);
    EXPECT_EQ(label("StaticText4")->text(), "") << "deleting in field " << n;
    EXPECT_EQ(label("StaticText6")->text(), era) << "the era stays";
  }
}

TEST_F(FieldsTest, MovingTheFocusAloneKeepsTheResults) {
  setResults("16歳", "2ヶ月");
  click(field(2));
  press(field(2), Qt::Key_Tab);
  press(field(3), Qt::Key_Tab, Qt::ShiftModifier);
  EXPECT_EQ(label("StaticText4")->text(), QStringLiteral("16歳"));
  EXPECT_EQ(label("StaticText7")->text(), QStringLiteral("2ヶ月"));
}

// ---- Input limits -----------------------------------------------------------------------

struct Input {
  int field;
  const char* given;
  const char* text;  // what the empty field holds afterwards
};

void PrintTo(const Input& c, std::ostream* out) {
  *out << "field " << c.field << " given \"" << c.given << '"';
}

class TypedInputTest : public FieldsTest, public ::testing::WithParamInterface<Input> {};

TEST_P(TypedInputTest, TakesDigitsUpToTheLimit) {
  const Input& c = GetParam();
  enter(c.field, c.given);
  EXPECT_EQ(field(c.field)->text(), QString::fromUtf8(c.text));
  EXPECT_EQ(beeps(), 0);
}

INSTANTIATE_TEST_SUITE_P(DateFields, TypedInputTest,
                         ::testing::Values(Input{1, "12345", "1234"}, Input{1, "19a9x0", "1990"},
                                           Input{1, "-1.5", "15"}, Input{2, "123", "12"},
                                           Input{2, "1b", "1"}, Input{3, " 4+", "4"},
                                           Input{3, "ab", ""}));

class PastedInputTest : public FieldsTest, public ::testing::WithParamInterface<Input> {};

TEST_P(PastedInputTest, TakesDigitsOnlyWithinTheLimit) {
  const Input& c = GetParam();
  click(field(c.field));
  QApplication::clipboard()->setText(QString::fromUtf8(c.given));
  press(field(c.field), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(field(c.field)->text(), QString::fromUtf8(c.text));
}

INSTANTIATE_TEST_SUITE_P(DateFields, PastedInputTest,
                         ::testing::Values(Input{1, "1990", "1990"}, Input{2, "7", "7"},
                                           Input{2, "12ab", ""}, Input{3, "3.1", ""},
                                           Input{1, "１９９０", "1990"}, Input{3, " 12", ""}));

}  // namespace
