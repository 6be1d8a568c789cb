// A small window for the layer's widget tests: two masked fields, labels, a button inside a
// label, a label inside a group box, and File and Edit menus. Its handlers write a log.
#pragma once

#include <gtest/gtest.h>

#include <QMainWindow>
#include <QTest>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/application.h"
#include "platform/controls.h"
#include "platform/internal.h"
#include "platform/menu.h"
#include "platform/native.h"
#include "platform/properties.h"
#include "platform/testing.h"
#include "platform/window.h"

namespace form {

using platform::Delegate;
using platform::EventArgs;
using platform::Ref;
using platform::String;
using List = platform::PropertyList<512>;

inline constexpr auto kWindowList = List{}
                                        .Int("Width", 300)
                                        .Int("Height", 200)
                                        .Text("Title", "フォーム")
                                        .Bool("Visible", true)
                                        .Bool("CloseButton", true)
                                        .Bool("Resizeable", false)
                                        .Bool("MaximizeButton", false)
                                        .Bool("MinimizeButton", false);

// A control's list opens with its name and place. Left and Top count from the content area's
// corner, also inside a parent control.
constexpr List Placed(std::string_view name, std::int32_t left, std::int32_t top,
                      std::int32_t width, std::int32_t height) {
  return List{}
      .Text("Name", name)
      .Int("Index", INT32_MIN)
      .Int("Left", left)
      .Int("Top", top)
      .Int("Width", width)
      .Int("Height", height);
}

inline constexpr auto kGroup = Placed("Group", 10, 100, 200, 80).Text("Caption", "");
inline constexpr auto kInner = Placed("Inner", 20, 110, 100, 20).Text("InitialParent", "Group");
inline constexpr auto kYear = Placed("Year", 10, 10, 80, 24)
                                  .Bool("LockLeft", true)
                                  .Int("TabIndex", 0)
                                  .Color("TextColor", platform::RGB(0x102030))
                                  .Text("TextFont", "Osaka")
                                  .Bool("Bold", true)
                                  .Text("Mask", "####")
                                  .Int("LimitText", 4)
                                  .Int("Alignment", 3);
inline constexpr auto kMonth =
    Placed("Month", 100, 10, 40, 24).Text("Mask", "##").Int("LimitText", 2).Int("Alignment", 0);
inline constexpr auto kEra = Placed("Era", 10, 40, 280, 50)
                                 .Text("Text", "平成")
                                 .Int("TextAlign", 1)
                                 .Color("TextColor", platform::RGB(0xFF200B))
                                 .Bool("Multiline", true)
                                 .Bool("Transparent", false)
                                 .Text("HelpTag", "era");
inline constexpr auto kGo = Placed("Go", 220, 60, 60, 20)
                                .Text("Caption", "計算")
                                .Bool("Default", false)
                                .Text("InitialParent", "Era");

inline Ref<platform::MenuItem> Item(std::string_view name, std::string_view text,
                                    std::string_view shortcut = "", bool autoEnable = true) {
  auto item = platform::New<platform::MenuItem>();
  item->SetName(String(name));
  item->SetText(String(text));
  item->SetKeyboardShortcut(String(shortcut));
  item->SetAutoEnable(autoEnable);
  return item;
}

// File: Calc (Cmd+K, enabled only by EnableMenuItems), a separator, Quit (member 2 of a set).
// Edit: the framework's standard commands.
inline Ref<platform::MenuBar> MakeMenus() {
  auto bar = platform::New<platform::MenuBar>();
  auto file = Item("FileMenu", "File");
  file->Append(Item("Calc", "Calc", "Cmd+K", false));
  file->Append(Item("Sep1", "-"));
  auto quit = Item("Quit", "Quit", "Cmd+Q");
  quit->SetIndex(2);
  file->Append(quit);
  auto edit = Item("EditMenu", "Edit");
  edit->Append(Item("EditUndo", "Undo", "Cmd+Z", false));
  edit->Append(Item("Sep2", "-"));
  edit->Append(Item("EditCut", "Cut", "Cmd+X", false));
  edit->Append(Item("EditCopy", "Copy", "Cmd+C", false));
  edit->Append(Item("EditPaste", "Paste", "Cmd+V", false));
  edit->Append(Item("EditClear", "Clear", "", false));
  bar->Append(file);
  bar->Append(edit);
  return bar;
}

class FormWindow : public platform::Window {
 public:
  std::vector<std::string> log;
  bool enableCalc = true;

  template <class T>
  Ref<T> Get(std::string_view name) const {
    return platform::RuntimeCheckCast<T>(_ControlByName(name));
  }

  // Logs the field's focus and change events as "Year GotFocus" and so on.
  void Watch(const Ref<platform::TextField>& field) {
    for (const auto& [number, event] :
         {std::pair{platform::TextField::kGotFocus, "GotFocus"},
          std::pair{platform::TextField::kLostFocus, "LostFocus"},
          std::pair{platform::TextField::kTextChange, "TextChange"}}) {
      field->AddEventHandler(
          number,
          Delegate("( TextField )", [this, line = field->Name() + " " + event](const EventArgs&) {
            log.push_back(line);
            return false;
          }));
    }
  }

  void OnKeyDown(const Ref<platform::TextField>& field,
                 std::function<bool(const String& key)> handler) {
    field->AddEventHandler(
        platform::TextField::kKeyDown,
        Delegate("( TextField, String ) as Boolean",
                 [handler](const EventArgs& args) { return handler(args.key); }));
  }

 protected:
  void Layout() override {
    SetMenuBar(MakeMenus());
    _SetProperties(shared_from_this(), kWindowList.View());
  }

  void CreateControls() override {
    Add<platform::GroupBox>("Group", 12, kGroup.View());
    Add<platform::Label>("Inner", 12, kInner.View());
    Add<platform::TextField>("Year", 20, kYear.View());
    Add<platform::TextField>("Month", 20, kMonth.View());
    Add<platform::Label>("Era", 16, kEra.View());
    Add<platform::PushButton>("Go", 12, kGo.View());
  }

  void AddMenuHandlers(const Ref<platform::Window>& window) override {
    window->_AddMenuHandler("Calc", Delegate("(  ) as Boolean", [this](const EventArgs&) {
                              log.push_back("Calc");
                              return false;
                            }));
    window->_AddMenuHandler("Quit", Delegate("( Int32 ) as Boolean", [this](const EventArgs& a) {
                              log.push_back("Quit " + std::to_string(a.index));
                              return false;
                            }));
  }

  void Event_EnableMenuItems() override {
    log.push_back("EnableMenuItems");
    if (enableCalc) {
      MenuBar()->_Lookup("Calc")->SetEnabled(true);
    }
  }

 private:
  template <class T>
  void Add(std::string_view name, float textSize, std::string_view list) {
    auto control = __New<T>();
    control->Constructor();
    _AddControl(String(name), control);
    control->SetTextSize(textSize);
    control->SetTextUnit(0);
    _SetProperties(control, list);
  }
};

// A shown, active FormWindow; every test leaves no window, no pending exception and a plain
// application object behind.
class FormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window = platform::New<FormWindow>();
    window->Constructor();
    main = platform::NativeWindowWidget(*window);
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main));
    year = window->Get<platform::TextField>("Year");
    month = window->Get<platform::TextField>("Month");
    window->Watch(year);
    window->Watch(month);
    year->SetFocus();
    window->log.clear();
  }

  void TearDown() override {
    year = month = nullptr;
    platform::internal::ReleaseWindows();
    platform::_RuntimeRegisterAppObject(platform::New<platform::Application>());
    platform::testing::ResetQuit();
    EXPECT_FALSE(platform::testing::TakePendingException());
  }

  static QLineEdit* Edit(const Ref<platform::TextField>& field) {
    return static_cast<QLineEdit*>(platform::NativeWidget(*field));
  }

  Ref<FormWindow> window;
  QMainWindow* main = nullptr;
  Ref<platform::TextField> year, month;
};

}  // namespace form
