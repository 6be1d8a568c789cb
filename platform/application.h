// The application object.
#pragma once

#include "platform/object.h"
#include "platform/runtime.h"

namespace platform {

class MenuBar;

// Events, in the framework's order: 1 Open, 2 Close, 3 EnableMenuItems, 4 NewDocument,
// 5 OpenDocument, 6 HandleAppleEvent, 7 Activate, 8 Deactivate, 9 UnhandledException,
// 10 CancelClose. Of these the framework raises Close, when the system asks the application to
// quit: on SIGTERM or SIGINT (delivered through the event loop, never inside the signal handler).
// Closing the last window raises nothing: the framework then ends the event loop with code 0.
class Application : public Object {
 public:
  static constexpr std::string_view kClassName = "Application";
  enum Event : std::int32_t { kClose = 2 };

  const ClassTable& ClassInfo() const override;
  static const ClassTable& __Lookup();

  Ref<platform::MenuBar> MenuBar() const { return menuBar_; }
  void SetMenuBar(Ref<platform::MenuBar> bar) { menuBar_ = std::move(bar); }

  // Handler of the Close event; subclasses override it.
  virtual void Event_Close() {}

 private:
  Ref<platform::MenuBar> menuBar_;
};

}  // namespace platform
