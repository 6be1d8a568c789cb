// Controls on Qt Widgets: their events, their fonts and the text field's keys, focus and input
// rules.
#include "platform/controls.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QInputMethod>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <algorithm>
#include <string>
#include <utility>

#include "platform/internal.h"
#include "platform/native.h"
#include "platform/native_impl.h"

namespace platform {
namespace {

// Keys that type no character of their own reach KeyDown as these codes.
struct KeyCode {
  Qt::Key key;
  char code;
};
constexpr KeyCode kKeyCodes[] = {
    {Qt::Key_Tab, 9},       {Qt::Key_Backtab, 9},  {Qt::Key_Return, 13}, {Qt::Key_Enter, 3},
    {Qt::Key_Backspace, 8}, {Qt::Key_Delete, 127}, {Qt::Key_Escape, 27}, {Qt::Key_Left, 28},
    {Qt::Key_Right, 29},    {Qt::Key_Up, 30},      {Qt::Key_Down, 31},
};

String KeyText(const QKeyEvent& event) {
  for (const auto& [key, code] : kKeyCodes) {
    if (event.key() == key) {
      return String(1, code);
    }
  }
  return event.text().toStdString();
}

// The keys that leave a field. One that KeyDown hands back is swallowed, so the focus stays in
// the field and the user gives the value again where it was refused.
bool LeavesField(int key) {
  return key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Return ||
         key == Qt::Key_Enter;
}

// Focus lost to another window (a modal dialog) or to a popup (a menu) comes back unchanged: it
// is no move between controls.
bool MovesBetweenControls(Qt::FocusReason reason) {
  return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
         reason != Qt::MenuBarFocusReason;
}

String Describe(const Control& control) {
  return control.Name().empty() ? ClassNameOf(control) : control.Name();
}

template <class W>
W& WidgetAs(const Control& control) {
  return static_cast<W&>(WidgetOf(control));
}

// Creates the control's widget in its window's content area.
template <class W, class... Args>
W& Build(Control& control, Args&... args) {
  if (control.Native().widget) {
    throw UnsupportedOperationException(Describe(control) + ": Constructor ran twice");
  }
  Ref<Window> owner = control.Owner();
  if (!owner) {
    throw UnsupportedOperationException(Describe(control) +
                                        " has no window: create it with Window::__New");
  }
  auto* widget = new W(args..., &ContentOf(*owner));
  control.Native().widget = widget;
  // A window not yet open shows its controls with itself, each once its design has placed it.
  if (widget->parentWidget()->isVisible()) {
    widget->show();
  }
  return *widget;
}

// 0 the platform's default (left), 1 left, 2 centre, 3 right.
constexpr Qt::AlignmentFlag kFieldAlignments[] = {Qt::AlignLeft, Qt::AlignLeft, Qt::AlignHCenter,
                                                  Qt::AlignRight};
// 0 left, 1 centre, 2 right. Centre for 1: a wrapped second line then stays clear of whatever
// lies over the label's lower corner.
constexpr Qt::AlignmentFlag kLabelAlignments[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};

template <std::size_t N>
std::optional<Qt::Alignment> AlignmentOf(const Qt::AlignmentFlag (&table)[N], std::int32_t code,
                                         Qt::AlignmentFlag vertical) {
  if (code < 0 || static_cast<std::size_t>(code) >= N) {
    return std::nullopt;
  }
  return table[code] | vertical;
}

}  // namespace

std::optional<Qt::Alignment> TextFieldAlignment(std::int32_t code) {
  return AlignmentOf(kFieldAlignments, code, Qt::AlignVCenter);
}

std::optional<Qt::Alignment> LabelAlignment(std::int32_t code) {
  return AlignmentOf(kLabelAlignments, code, Qt::AlignTop);
}

namespace {

// Full-width digits, as Japanese forms and input methods give them, count as the ASCII digits.
QChar AsciiDigit(QChar c) {
  constexpr char16_t kFullWidthZero = u'\uFF10';
  if (c.unicode() >= kFullWidthZero && c.unicode() <= kFullWidthZero + 9) {
    return QChar(u'0' + (c.unicode() - kFullWidthZero));
  }
  return c;
}

// At most `most` characters; digits only for a mask. A text that breaks the rule is refused
// whole (an over-long paste is not cut).
class MaskRule final : public QValidator {
 public:
  MaskRule(bool digitsOnly, qsizetype most) : digitsOnly_(digitsOnly), most_(most) {}

  bool DigitsOnly() const noexcept { return digitsOnly_; }

  // Typing, input methods and pastes are folded before they reach the text (FieldEdit::Typed),
  // which keeps them undoable; folding here, which Qt takes as a new text with no undo history,
  // covers the rest: text set by code, a drop.
  State validate(QString& input, int&) const override {
    if (digitsOnly_) {
      std::ranges::transform(input, input.begin(), AsciiDigit);
    }
    const bool digits =
        !digitsOnly_ || std::ranges::all_of(input, [](QChar c) { return c >= u'0' && c <= u'9'; });
    return digits && input.size() <= most_ ? Acceptable : Invalid;
  }

 private:
  bool digitsOnly_;
  qsizetype most_;
};

// A Ctrl chord of a letter is the field's own editing (select all, redo...), never a key that
// leaves it, although X11 gives some of them as control characters (Ctrl+I a Tab, Ctrl+M a
// Return, Ctrl+Shift+C the Enter code).
bool IsControlLetter(const QKeyEvent& event) {
  return event.modifiers().testFlag(Qt::ControlModifier) && event.key() >= Qt::Key_A &&
         event.key() <= Qt::Key_Z;
}

}  // namespace

std::unique_ptr<QValidator> MaskValidator(const String& mask, std::int32_t limit) {
  if (!std::all_of(mask.begin(), mask.end(), [](char c) { return c == '#'; })) {
    throw UnsupportedOperationException(
        "the mask \"" + mask + "\" is not supported: a mask is a run of '#', one digit each");
  }
  if (limit < 0) {
    throw UnsupportedOperationException("LimitText " + std::to_string(limit) + " is negative");
  }
  const auto length = static_cast<std::int32_t>(mask.size());
  const std::int32_t most = mask.empty() ? limit : (limit > 0 ? std::min(limit, length) : length);
  if (most == 0) {
    return nullptr;
  }
  return std::make_unique<MaskRule>(!mask.empty(), most);
}

QWidget* NativeWidget(const Control& control) {
  return control.Native().widget;
}

QWidget& WidgetOf(const Control& control) {
  QWidget* widget = control.Native().widget;
  if (!widget) {
    throw NilObjectException(Describe(control) +
                             " has no widget: its Constructor has not run or its window is gone");
  }
  return *widget;
}

// ---- Control ------------------------------------------------------------------------------

Control::Control() : native_(std::make_unique<NativeControl>()) {}

Control::~Control() {
  delete native_->widget.data();
}

void Control::AddEventHandler(std::int32_t eventNumber, Delegate handler) {
  if (!handlers_.try_emplace(eventNumber, std::move(handler)).second) {
    throw EventBindingException("event " + std::to_string(eventNumber) + " of " + Describe(*this) +
                                " already has a handler");
  }
}

bool Control::HasEventHandler(std::int32_t eventNumber) const {
  return handlers_.contains(eventNumber);
}

bool Control::RaiseEvent(std::int32_t eventNumber, EventArgs args) {
  auto bound = handlers_.find(eventNumber);
  if (bound == handlers_.end()) {
    return false;
  }
  args.sender = shared_from_this();  // also keeps the control alive through its handler
  const Delegate& handler = bound->second;
  return internal::Dispatch([&] { return handler(args); });
}

// ---- RectControl --------------------------------------------------------------------------

void RectControl::SetTextSize(float size) {
  if (!(size >= 0)) {
    throw UnsupportedOperationException("TextSize " + std::to_string(size) + " of " +
                                        Describe(*this) + " is not 0 (the default) or more");
  }
  auto& widget = WidgetOf(*this);
  QFont font = widget.font();
  if (size == 0) {
    const QFont standard = QApplication::font();
    if (standard.pixelSize() > 0) {
      font.setPixelSize(standard.pixelSize());
    } else {
      font.setPointSizeF(standard.pointSizeF());
    }
  } else {
    font.setPixelSize(std::max(1, qRound(size)));
  }
  widget.setFont(font);
}

void RectControl::SetTextUnit(std::uint8_t unit) {
  if (unit != 0) {
    throw UnsupportedOperationException("FontUnits code " + std::to_string(unit) + " of " +
                                        Describe(*this) +
                                        " is not supported; 0 (the default unit) is");
  }
}

void RectControl::SetFocus() {
  WidgetOf(*this).setFocus(Qt::OtherFocusReason);
}

// ---- TextField ----------------------------------------------------------------------------

FieldEdit::FieldEdit(TextField& field, QWidget* parent) : QLineEdit(parent), field_(field) {
  connect(this, &QLineEdit::textChanged, this,
          [this] { field_.RaiseEvent(TextField::kTextChange); });
}

void FieldEdit::SelectRomanScript() {
  romanOnly_ = true;
  if (hasFocus()) {
    QGuiApplication::inputMethod()->update(Qt::ImEnabled);
  }
}

// Overriding event() rather than keyPressEvent() lets KeyDown see Tab and Backtab before Qt's
// focus chain does.
bool FieldEdit::event(QEvent* event) {
  if (event->type() != QEvent::KeyPress) {
    return QLineEdit::event(event);
  }
  const auto& key = static_cast<const QKeyEvent&>(*event);
  if (const QString typed = Typed(key.text()); typed != key.text()) {
    QKeyEvent folded(key.type(), key.key(), key.modifiers(), key.nativeScanCode(),
                     key.nativeVirtualKey(), key.nativeModifiers(), typed, key.isAutoRepeat(),
                     key.count());
    const bool handled = FieldEdit::event(&folded);
    event->setAccepted(folded.isAccepted());
    return handled;
  }
  if (KeyDown(key)) {
    event->accept();
    return true;
  }
  if (key.matches(QKeySequence::Paste) && !isReadOnly()) {
    Paste(QClipboard::Clipboard);
    event->accept();
    return true;
  }
  return QLineEdit::event(event);
}

// True when the key is consumed.
bool FieldEdit::KeyDown(const QKeyEvent& event) {
  if (IsMenuShortcut(event) || IsControlLetter(event) ||
      !field_.HasEventHandler(TextField::kKeyDown)) {
    return false;
  }
  EventArgs args;
  args.key = KeyText(event);
  if (args.key.empty()) {
    return false;  // a modifier or another key that types nothing
  }
  return field_.RaiseEvent(TextField::kKeyDown, std::move(args)) || LeavesField(event.key());
}

// Menu shortcuts are the menus'; every other key, whatever the modifiers, is the field's.
bool FieldEdit::IsMenuShortcut(const QKeyEvent& event) const {
  const Ref<Window> owner = field_.Owner();
  return owner && owner->Native().MatchesShortcut(event);
}

// True for the first focus its window gives any of its fields.
bool FieldEdit::TakeFirstFocus() {
  const Ref<Window> owner = field_.Owner();
  return owner && !std::exchange(owner->Native().fieldFocused, true);
}

void FieldEdit::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  // The window's first focus enters the field, even when it comes with the window's activation.
  const bool first = TakeFirstFocus();
  if (!first && !MovesBetweenControls(event->reason())) {
    return;
  }
  field_.RaiseEvent(TextField::kGotFocus);
  if (event->reason() == Qt::MouseFocusReason && hasSelectedText()) {
    focusSelection_ = Selection{selectionStart(), selectionLength()};
  }
}

void FieldEdit::focusOutEvent(QFocusEvent* event) {
  focusSelection_.reset();
  QLineEdit::focusOutEvent(event);
  if (MovesBetweenControls(event->reason())) {
    field_.RaiseEvent(TextField::kLostFocus);
  }
}

// The focusing click placed the caret and so dropped what GotFocus selected: select it again,
// unless the press was the start of a drag that selected text of its own. A middle click pastes
// the X selection, folded like any paste. Either way, what the press kept is for this release
// alone.
void FieldEdit::mouseReleaseEvent(QMouseEvent* event) {
  const auto kept = std::exchange(focusSelection_, std::nullopt);
  if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection() &&
      !isReadOnly()) {
    deselect();
    Paste(QClipboard::Selection);
    return;
  }
  QLineEdit::mouseReleaseEvent(event);
  if (kept && !hasSelectedText()) {
    setSelection(kept->start, kept->length);
  }
}

// Qt's own menu for the field, with the field's Paste, folded, in place of Qt's.
void FieldEdit::contextMenuEvent(QContextMenuEvent* event) {
  QMenu* menu = createStandardContextMenu();
  for (QAction* action : menu->actions()) {
    if (action->text().section(u'\t', 0, 0) == QLineEdit::tr("&Paste")) {  // as Qt names it
      action->disconnect(this);
      connect(action, &QAction::triggered, this, [this] { Paste(QClipboard::Clipboard); });
    }
  }
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(event->globalPos());
}

void FieldEdit::inputMethodEvent(QInputMethodEvent* event) {
  const QString typed = Typed(event->commitString());
  if (typed == event->commitString()) {
    QLineEdit::inputMethodEvent(event);
    return;
  }
  QInputMethodEvent folded(event->preeditString(), event->attributes());
  folded.setCommitString(typed, event->replacementStart(), event->replacementLength());
  QLineEdit::inputMethodEvent(&folded);
  event->setAccepted(folded.isAccepted());
}

void FieldEdit::Paste(QClipboard::Mode mode) {
  const QString clip = QGuiApplication::clipboard()->text(mode);
  const QString typed = Typed(clip);
  if (typed == clip && mode == QClipboard::Clipboard) {
    QLineEdit::paste();
    return;
  }
  if (typed.isEmpty() && !hasSelectedText()) {
    return;
  }
  // As Qt's own paste: one undo step, not merged with the typing before or after it.
  SeparateUndoStep();
  insert(typed);
  SeparateUndoStep();
}

// Qt begins a new undo step whenever the caret moves.
void FieldEdit::SeparateUndoStep() {
  if (hasSelectedText() || text().isEmpty()) {
    return;  // removing a selection begins one of its own
  }
  const int at = cursorPosition();
  setCursorPosition(at > 0 ? at - 1 : at + 1);
  setCursorPosition(at);
}

// What a key, an input method or a paste gives, as the field takes it: with a digits-only mask,
// full-width digits become ASCII before they reach the text, so that undo sees them as typed.
QString FieldEdit::Typed(QString given) const {
  const auto* rule = dynamic_cast<const MaskRule*>(validator());
  if (rule && rule->DigitsOnly()) {
    std::ranges::transform(given, given.begin(), AsciiDigit);
  }
  return given;
}

// Setting Qt::WA_InputMethodEnabled has no effect on QLineEdit; answering the query does.
QVariant FieldEdit::inputMethodQuery(Qt::InputMethodQuery query) const {
  if (query == Qt::ImEnabled && romanOnly_) {
    return false;
  }
  return QLineEdit::inputMethodQuery(query);
}

TextField::TextField() = default;

void TextField::Constructor() {
  Build<FieldEdit>(*this, *this);
  SetAlignment(alignment_);
}

String TextField::Text() const {
  return WidgetAs<FieldEdit>(*this).text().toStdString();
}

void TextField::SetText(const String& text) {
  WidgetAs<FieldEdit>(*this).setText(QString::fromStdString(text));
}

// Selection positions count UTF-16 units, which are characters for every text outside the
// supplementary planes.
std::int32_t TextField::SelStart() const {
  const auto& edit = WidgetAs<FieldEdit>(*this);
  return edit.hasSelectedText() ? edit.selectionStart() : edit.cursorPosition();
}

std::int32_t TextField::SelLength() const {
  return WidgetAs<FieldEdit>(*this).selectionLength();
}

void TextField::SetSelStart(std::int32_t start) {
  auto& edit = WidgetAs<FieldEdit>(*this);
  edit.setCursorPosition(std::clamp<std::int32_t>(start, 0, edit.text().size()));
}

void TextField::SetSelLength(std::int32_t length) {
  auto& edit = WidgetAs<FieldEdit>(*this);
  const std::int32_t start = SelStart();
  length = std::clamp<std::int32_t>(length, 0, edit.text().size() - start);
  if (length == 0) {
    edit.setCursorPosition(start);
  } else {
    edit.setSelection(start, length);
  }
}

void TextField::SetAlignment(std::int32_t code) {
  const auto alignment = TextFieldAlignment(code);
  if (!alignment) {
    throw UnsupportedOperationException("alignment code " + std::to_string(code) + " of " +
                                        Describe(*this) + " is not one of 0 to 3");
  }
  alignment_ = code;
  if (auto* edit = static_cast<FieldEdit*>(native_->widget.data())) {
    edit->setAlignment(*alignment);
  }
}

FieldEdit* FocusedField(const Window& window) {
  const auto& main = window.Native().main;
  return main ? dynamic_cast<FieldEdit*>(main->focusWidget()) : nullptr;
}

// ---- Label, PushButton, GroupBox ----------------------------------------------------------

Label::Label() = default;

void Label::Constructor() {
  auto& label = Build<QLabel>(*this);
  label.setTextFormat(Qt::PlainText);
  label.setAlignment(*LabelAlignment(0));
}

String Label::Text() const {
  return WidgetAs<QLabel>(*this).text().toStdString();
}

void Label::SetText(const String& text) {
  WidgetAs<QLabel>(*this).setText(QString::fromStdString(text));
}

PushButton::PushButton() = default;

void PushButton::Constructor() {
  auto& button = Build<QPushButton>(*this);
  // A click leaves the focus in the field being typed in.
  button.setFocusPolicy(Qt::TabFocus);
  button.setAutoDefault(false);
  QObject::connect(&button, &QPushButton::clicked, &button, [this] { RaiseEvent(kAction); });
}

String PushButton::Caption() const {
  return WidgetAs<QPushButton>(*this).text().toStdString();
}

GroupBox::GroupBox() = default;

void GroupBox::Constructor() {
  Build<QGroupBox>(*this);
}

}  // namespace platform
