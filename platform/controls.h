// The controls a window holds: TextField, Label, PushButton and GroupBox.
#pragma once

#include <cstdint>
#include <map>
#include <memory>

#include "platform/object.h"
#include "platform/runtime.h"

namespace platform {

class Window;
struct NativeControl;  // the toolkit's widget and its glue, private to the layer

// A control belongs to one window and raises numbered events to the handlers attached to it.
class Control : public Object {
 public:
  ~Control() override;
  const ClassTable& ClassInfo() const override;
  static const ClassTable& __Lookup();

  // The name it was registered under (Window::_AddControl); empty before.
  const String& Name() const noexcept { return name_; }
  // The window that created it (nil once that window is gone).
  Ref<platform::Window> Owner() const { return owner_.lock(); }

  // Used by RuntimeAddEventHandler.
  void AddEventHandler(std::int32_t eventNumber, Delegate handler);
  bool HasEventHandler(std::int32_t eventNumber) const;
  // Raises an event: calls its handler under the framework's exception handling. Returns the
  // handler's result, false when the event has no handler or the handler raised.
  bool RaiseEvent(std::int32_t eventNumber, EventArgs args = {});

  NativeControl& Native() const { return *native_; }

 protected:
  Control();
  std::unique_ptr<NativeControl> native_;

 private:
  friend class Window;
  String name_;
  std::weak_ptr<platform::Window> owner_;
  std::map<std::int32_t, Delegate> handlers_;
};

// A control with a place on the window, a font and the keyboard focus.
class RectControl : public Control {
 public:
  const ClassTable& ClassInfo() const override;
  static const ClassTable& __Lookup();

  // Creates the native control inside its window.
  virtual void Constructor() = 0;
  void SetTextSize(float size);
  // FontUnits: 0 is the default unit, in which a size counts pixels (points at 72 dpi).
  void SetTextUnit(std::uint8_t unit);
  // Moves the keyboard focus here; the field left gets LostFocus, this one GotFocus.
  void SetFocus();
};

// A one-line text field. Its KeyDown handler runs before the field handles the key (True
// consumes it); every key but the menus' shortcuts reaches it. Tab, Shift+Tab, Return and keypad
// Enter, with any modifiers, reach it as the characters 9, 9, 13 and 3, and handed back they are
// swallowed: with a handler, only the handler moves the focus.
// GotFocus and LostFocus follow every move of the focus between controls, and GotFocus the first
// focus the window gives a field; TextChange follows every change of the text, typed, pasted or
// set by code. With a Mask, full-width digits are taken as ASCII digits.
class TextField : public RectControl {
 public:
  static constexpr std::string_view kClassName = "TextField";
  enum Event : std::int32_t { kKeyDown = 13, kGotFocus = 15, kLostFocus = 16, kTextChange = 20 };
  // Alignment codes: 0 the platform's default (left), 1 left, 2 centre, 3 right.
  TextField();
  const ClassTable& ClassInfo() const override;
  static const ClassTable& __Lookup();
  void Constructor() override;

  String Text() const;
  void SetText(const String& text);
  std::int32_t SelStart() const;
  std::int32_t SelLength() const;
  void SetSelStart(std::int32_t start);
  void SetSelLength(std::int32_t length);
  std::int32_t Alignment() const noexcept { return alignment_; }
  void SetAlignment(std::int32_t code);

 private:
  std::int32_t alignment_ = 0;
};

// A text label. TextAlign codes: 0 left, 1 centre, 2 right.
class Label : public RectControl {
 public:
  static constexpr std::string_view kClassName = "Label";
  Label();
  const ClassTable& ClassInfo() const override;
  static const ClassTable& __Lookup();
  void Constructor() override;

  String Text() const;
  void SetText(const String& text);
};

class PushButton : public RectControl {
 public:
  static constexpr std::string_view kClassName = "PushButton";
  enum Event : std::int32_t { kAction = 15 };
  PushButton();
  const ClassTable& ClassInfo() const override;
  static const ClassTable& __Lookup();
  void Constructor() override;

  String Caption() const;
};

class GroupBox : public RectControl {
 public:
  static constexpr std::string_view kClassName = "GroupBox";
  GroupBox();
  const ClassTable& ClassInfo() const override;
  static const ClassTable& __Lookup();
  void Constructor() override;
};

}  // namespace platform
