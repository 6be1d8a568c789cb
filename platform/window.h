// Windows: the set-up events, controls by name, menu handlers and design-time properties.
#pragma once

#include <map>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/controls.h"
#include "platform/object.h"
#include "platform/runtime.h"

namespace platform {

class MenuBar;
struct NativeWindow;

class Window : public Object {
 public:
  static constexpr std::string_view kClassName = "Window";
  Window();
  ~Window() override;
  const ClassTable& ClassInfo() const override;
  static const ClassTable& __Lookup();

  // Creates the native window, raises Layout, CreateControls and AddMenuHandlers in that
  // order, lists the window among the open implicit windows of its class and shows it when
  // its Visible property is True.
  void Constructor();
  // The open window of the class of that registered name ("Window1.Window1"), or nil.
  static Ref<Window> _GetImplicitWindow(std::string_view className);

  Ref<platform::MenuBar> MenuBar() const { return menuBar_; }
  // Installs the bar as this window's menus ("-" items show as separators, "Cmd+K" as Ctrl+K).
  void SetMenuBar(Ref<platform::MenuBar> bar);

  // A new control of class T for this window (its Constructor not yet run).
  template <class T>
  Ref<T> __New() {
    auto control = New<T>();
    Adopt(*control);
    return control;
  }
  // Registers a control under its name; a second control of one name throws
  // UnsupportedOperationException.
  void _AddControl(const String& name, const Ref<Control>& control);
  // The control registered under that name, or nil.
  Ref<Control> _ControlByName(std::string_view name) const;
  // Binds a menu item's Name to a handler ("(  ) as Boolean" or "( Int32 ) as Boolean").
  void _AddMenuHandler(const String& itemName, Delegate handler);
  // Applies a design-time property list to this window or to one of its controls; the whole
  // list is checked before anything is applied (PropertyListException).
  void _SetProperties(const Ref<Object>& target, std::string_view list);

  // Raises EnableMenuItems as the framework does before a menu opens or a shortcut is
  // dispatched: every item first takes its AutoEnable as Enabled.
  void UpdateMenuItems();
  // Chooses a menu item as the user would; false when it is disabled or has no handler.
  bool ChooseMenuItem(std::string_view name, std::int32_t index = 0);

  bool IsOpen() const noexcept;
  void Close();
  NativeWindow& Native() const { return *native_; }

 protected:
  // The set-up events and EnableMenuItems; subclasses override what they handle.
  virtual void Layout() {}
  virtual void CreateControls() {}
  virtual void AddMenuHandlers(const Ref<Window>& window) { (void)window; }
  virtual void Event_EnableMenuItems() {}

 private:
  friend struct NativeWindow;
  void Adopt(Control& control);
  std::unique_ptr<NativeWindow> native_;
  Ref<platform::MenuBar> menuBar_;
  std::vector<std::pair<String, Ref<Control>>> controls_;
  std::map<String, Delegate, std::less<>> menuHandlers_;
};

}  // namespace platform
