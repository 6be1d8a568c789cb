// Modal message dialogs.
#pragma once

#include <cstdint>

#include "platform/object.h"
#include "platform/runtime.h"

namespace platform {

class MessageDialogButton : public Object {
 public:
  static constexpr std::string_view kClassName = "MessageDialogButton";
  const ClassTable& ClassInfo() const override;
  static const ClassTable& __Lookup();
  const String& Caption() const noexcept { return caption_; }
  void SetCaption(String caption) { caption_ = std::move(caption); }

 private:
  String caption_ = "OK";
};

// Icon codes: 0 note, 1 caution, 2 stop, 3 question.
class MessageDialog : public Object {
 public:
  static constexpr std::string_view kClassName = "MessageDialog";
  MessageDialog();
  const ClassTable& ClassInfo() const override;
  static const ClassTable& __Lookup();

  void SetIcon(std::int32_t code) { icon_ = code; }
  void SetMessage(String text) { message_ = std::move(text); }
  void SetExplanation(String text) { explanation_ = std::move(text); }
  void SetTitle(String text) { title_ = std::move(text); }
  Ref<MessageDialogButton> ActionButton() const { return actionButton_; }

  // Shows the dialog over the active window and blocks in a nested event loop until the user
  // dismisses it; returns the button pressed. The window that was active is active again after.
  Ref<MessageDialogButton> ShowModal();

 private:
  std::int32_t icon_ = 0;
  String message_, explanation_, title_;
  Ref<MessageDialogButton> actionButton_;
};

}  // namespace platform
