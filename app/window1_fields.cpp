// The date fields' focus, change and key handlers. All three fields share one body per event;
// what sets them apart is their row of kDateFields.
#include <cstdint>
#include <string_view>

#include "app/datefields.h"
#include "app/setkeyscript.h"
#include "app/window1.h"
#include "platform/runtime.h"
#include "platform/text.h"

namespace app {

String ZeroFilled(std::string_view text, std::int32_t width) {
  const std::int32_t length = platform::Len(text);
  if (length == 0 || length >= width)
    return String(text);
  return String(static_cast<std::size_t>(width - length), '0') + String(text);
}

// Every road that takes the year (a leaving key, any other loss of focus, an age computed)
// shows the era of the same zero-filled text, so "5" and "0005" give one label.
void ShowEra(const Window1& window) {
  const DateField& year = kDateFields[kYear];
  window.StaticText6()->SetText(
      SeirekiWarekiChange(ZeroFilled(FieldOf(window, year.field)->Text(), year.width)));
}

namespace {

constexpr std::int32_t kRomanScriptVerb = -17;
constexpr std::int32_t kFocusAlignment = 1;
constexpr std::int32_t kRestAlignment = 3;
constexpr std::int32_t kShiftKeyCode = 56;
constexpr std::string_view kCautionMessage = "注意：日付に誤りがあります。";

// The key texts with which the user leaves a field.
constexpr std::int32_t kEnterCode = 3;
constexpr std::int32_t kTabCode = 9;
constexpr std::int32_t kReturnCode = 13;

bool IsLeavingKey(std::string_view key) {
  const std::int32_t code = platform::Asc(key);
  return code == kEnterCode || code == kTabCode || code == kReturnCode;
}

void GotFocus(const Window1& window, const DateField& row) {
  SetKeyScript(kRomanScriptVerb);
  FieldOf(window, row.field)->SetSelStart(0);
  FieldOf(window, row.field)->SetSelLength(row.width);
  FieldOf(window, row.field)->SetAlignment(kFocusAlignment);
}

void LostFocus(const Window1& window, const DateField& row) {
  if (row.showsEra)
    ShowEra(window);
  FieldOf(window, row.field)->SetAlignment(kRestAlignment);
}

void TextChange(const Window1& window) {
  window.StaticText4()->SetText("");
  window.StaticText7()->SetText("");
}

enum class Outcome { kAccepted, kRejected, kIgnored };

struct Verdict {
  Outcome outcome;
  String text;  // the accepted text, with its leading zeros
};

Verdict Classify(const DateField& row, const String& text) {
  const std::int32_t length = platform::Len(text);
  if (length == 0)
    return {Outcome::kAccepted, text};
  if (length > row.width)
    return {Outcome::kIgnored, text};
  if (row.range) {
    const TextBounds& bounds = length < row.width ? row.range->shortText : row.range->fullText;
    if (!bounds.Contains(text))
      return {Outcome::kRejected, text};
  }
  return {Outcome::kAccepted, ZeroFilled(text, row.width)};
}

void Reject(const Window1& window, const DateField& row) {
  platform::Beep();
  DispMsgbox1(String(kCautionMessage), String(row.explanation));
  // Emptied only once the dialog is gone, so the user sees what was refused.
  FieldOf(window, row.field)->SetText("");
}

void Accept(const Window1& window, const DateField& row, const String& filled) {
  if (FieldOf(window, row.field)->Text() != filled)
    FieldOf(window, row.field)->SetText(filled);
  if (row.showsEra)
    ShowEra(window);
  FieldOf(window, CheckKeyDown(kShiftKeyCode) ? row.previous : row.next)->SetFocus();
}

// True consumes the key; a rejected or ignored key goes on to the field.
bool KeyDown(const Window1& window, const DateField& row, std::string_view key) {
  if (!IsLeavingKey(key))
    return false;
  const Verdict verdict = Classify(row, FieldOf(window, row.field)->Text());
  if (verdict.outcome == Outcome::kIgnored)
    return false;
  if (verdict.outcome == Outcome::kRejected) {
    Reject(window, row);
    return false;
  }
  Accept(window, row, verdict.text);
  return true;
}

}  // namespace

// The handlers reach their field through the accessors, never through the argument.

void Window1::EditField1_GotFocus(Ref<platform::TextField>) {
  GotFocus(*this, kDateFields[kYear]);
}
void Window1::EditField2_GotFocus(Ref<platform::TextField>) {
  GotFocus(*this, kDateFields[kMonth]);
}
void Window1::EditField3_GotFocus(Ref<platform::TextField>) {
  GotFocus(*this, kDateFields[kDay]);
}

void Window1::EditField1_LostFocus(Ref<platform::TextField>) {
  LostFocus(*this, kDateFields[kYear]);
}
void Window1::EditField2_LostFocus(Ref<platform::TextField>) {
  LostFocus(*this, kDateFields[kMonth]);
}
void Window1::EditField3_LostFocus(Ref<platform::TextField>) {
  LostFocus(*this, kDateFields[kDay]);
}

void Window1::EditField1_TextChange(Ref<platform::TextField>) {
  TextChange(*this);
}
void Window1::EditField2_TextChange(Ref<platform::TextField>) {
  TextChange(*this);
}
void Window1::EditField3_TextChange(Ref<platform::TextField>) {
  TextChange(*this);
}

bool Window1::EditField1_KeyDown(Ref<platform::TextField>, String key) {
  return KeyDown(*this, kDateFields[kYear], key);
}
bool Window1::EditField2_KeyDown(Ref<platform::TextField>, String key) {
  return KeyDown(*this, kDateFields[kMonth], key);
}
bool Window1::EditField3_KeyDown(Ref<platform::TextField>, String key) {
  return KeyDown(*this, kDateFields[kDay], key);
}

}  // namespace app
