// The menu bar: File ("ファイル") and Edit ("編集").
#pragma once

#include <string_view>

#include "platform/menu.h"

namespace app {

class MenuBar1 : public platform::MenuBar {
 public:
  static constexpr std::string_view kClassName = "MenuBar1.MenuBar1";
  const platform::ClassTable& ClassInfo() const override;
  static const platform::ClassTable& __Lookup();

  void Constructor();  // Untitled1, then Untitled2
  void Untitled1();    // File menu
  void Untitled2();    // Edit menu
};

namespace implicit {
// The one MenuBar1, created (with its menus) on the first call; shared by the application and
// the window.
platform::Ref<MenuBar1> MenuBar1();
// Releases it at shut-down.
void MenuBar1__Exit();
}  // namespace implicit

}  // namespace app
