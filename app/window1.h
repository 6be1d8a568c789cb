// The main window: the date-of-birth form, the era label, the two results and the buttons.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/controls.h"
#include "platform/menu.h"
#include "platform/window.h"

namespace app {

using platform::Ref;
using platform::String;

class Window1 : public platform::Window {
 public:
  static constexpr std::string_view kClassName = "Window1.Window1";
  const platform::ClassTable& ClassInfo() const override;
  static const platform::ClassTable& __Lookup();

  // Set-up events.
  void Layout() override;
  void CreateControls() override;
  void _CreateControls0();

  // Control accessors: each looks its control up by name on every use.
  Ref<platform::GroupBox> GroupBox1() const;
  Ref<platform::Label> StaticText4() const;
  Ref<platform::Label> StaticText7() const;
  Ref<platform::Label> StaticText8() const;
  Ref<platform::Label> StaticText1() const;
  Ref<platform::TextField> EditField1() const;
  Ref<platform::TextField> EditField2() const;
  Ref<platform::TextField> EditField3() const;
  Ref<platform::Label> StaticText2() const;
  Ref<platform::Label> StaticText3() const;
  Ref<platform::Label> StaticText5() const;
  Ref<platform::Label> StaticText6() const;
  Ref<platform::PushButton> PushButton2() const;
  Ref<platform::PushButton> PushButton1() const;
  Ref<platform::Label> StaticText9() const;
  Ref<platform::Label> StaticText10() const;

  // The date fields' focus, change and key handlers, in method-table order.
  void EditField1_LostFocus(Ref<platform::TextField> field);
  void EditField1_TextChange(Ref<platform::TextField> field);
  void EditField1_GotFocus(Ref<platform::TextField> field);
  bool EditField1_KeyDown(Ref<platform::TextField> field, String key);
  void EditField2_TextChange(Ref<platform::TextField> field);
  void EditField2_GotFocus(Ref<platform::TextField> field);
  bool EditField2_KeyDown(Ref<platform::TextField> field, String key);
  void EditField2_LostFocus(Ref<platform::TextField> field);
  void EditField3_TextChange(Ref<platform::TextField> field);
  void EditField3_GotFocus(Ref<platform::TextField> field);
  bool EditField3_KeyDown(Ref<platform::TextField> field, String key);
  void EditField3_LostFocus(Ref<platform::TextField> field);

  // Buttons.
  void PushButton2_Action(Ref<platform::PushButton> button);
  void PushButton1_Action(Ref<platform::PushButton> button);

  // Menu-item accessors: each looks its item up in the window's menu bar on every use.
  Ref<platform::MenuItem> EditMenu() const;
  Ref<platform::MenuItem> EditClear() const;
  Ref<platform::MenuItem> EditPaste() const;
  Ref<platform::MenuItem> EditCopy() const;
  Ref<platform::MenuItem> EditCut() const;
  Ref<platform::MenuItem> UntitledMenu0() const;
  Ref<platform::MenuItem> EditUndo() const;
  Ref<platform::MenuItem> FileMenu() const;
  Ref<platform::MenuBar> FileQuitMenuItem(std::int32_t index) const;
  Ref<platform::MenuItem> UntitledMenu1() const;
  Ref<platform::MenuItem> keisanMenuItem() const;

  // Menus.
  void AddMenuHandlers(const Ref<platform::Window>& w) override;
  void Event_EnableMenuItems() override;
  bool _FileQuitMenuItem_Action(std::int32_t index);
  bool _keisanMenuItem_Action();

  // The age from the three fields against today.
  void CalculateAge();
};

namespace implicit {
// The one open Window1, created (and set up) when the framework has none.
Ref<app::Window1> Window1();
}  // namespace implicit

}  // namespace app
