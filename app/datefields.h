// The three date fields as data: what the focus, key and calculation code of Window1 needs to
// know about each of them, one row per field.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "app/window1.h"
#include "platform/text.h"

namespace app {

// A closed range of texts in text order (platform::Compare), both bounds included.
struct TextBounds {
  std::string_view low, high;
  bool Contains(std::string_view text) const noexcept {
    return platform::Compare(text, low) >= 0 && platform::Compare(text, high) <= 0;
  }
};

// The range test of a month or day: a one-character text is tested as typed (then completed
// with its leading zero), a two-character text as it stands.
struct RangeTest {
  TextBounds shortText;
  TextBounds fullText;
};

using FieldAccessor = Ref<platform::TextField> (Window1::*)() const;

struct DateField {
  FieldAccessor field;
  std::int32_t width;  // the field's character limit: zero-fill width and focus selection
  std::optional<RangeTest> range;  // none: the field is never rejected
  std::string_view explanation;    // the caution dialog's explanation on rejection
  bool showsEra;                   // leaving the field refreshes the era label
  FieldAccessor next;              // the focus ring forwards ...
  FieldAccessor previous;          // ... and backwards (Shift held)
};

enum DatePart : std::size_t { kYear, kMonth, kDay };

// clang-format off
inline constexpr std::array<DateField, 3> kDateFields{{
  // field                width  range: short text, full text          explanation                       era    next                  previous
  {&Window1::EditField1,  4,     std::nullopt,                         "",                               true,  &Window1::EditField2, &Window1::EditField3},
  {&Window1::EditField2,  2,     RangeTest{{"1", "9"}, {"01", "12"}},  "月を正しく入力してください。",   false, &Window1::EditField3, &Window1::EditField1},
  {&Window1::EditField3,  2,     RangeTest{{"1", "9"}, {"01", "31"}},  "日を正しく入力してください。",   false, &Window1::EditField1, &Window1::EditField2},
}};
// clang-format on

// Completes a date part to `width` characters with leading zeros ("5" to "0005" for width 4,
// "7" to "07" for width 2). The empty text and a text of `width` characters or more stay as
// they are; the characters themselves are not looked at.
String ZeroFilled(std::string_view text, std::int32_t width);

// Writes the era of the year, completed with leading zeros, into the era label.
void ShowEra(const Window1& window);

// The row's field, looked up again by name.
inline Ref<platform::TextField> FieldOf(const Window1& window, FieldAccessor accessor) {
  return (window.*accessor)();
}

}  // namespace app
