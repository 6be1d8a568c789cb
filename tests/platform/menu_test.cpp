// Menus: the item tree, the menu bar on Qt, EnableMenuItems before menus and shortcuts, bound
// handlers and the standard Edit commands.
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>

#include "form_window.h"

namespace {

using form::FormTest;
using platform::Ref;
using Log = std::vector<std::string>;

TEST(MenuItems, ChildFindsDirectItemsLookupSearchesTheWholeTree) {
  auto bar = form::MakeMenus();
  EXPECT_EQ(bar->Child("FileMenu")->Text(), "File");
  EXPECT_EQ(bar->Child("Calc"), nullptr);
  EXPECT_EQ(bar->_Lookup("Calc")->KeyboardShortcut(), "Cmd+K");
  EXPECT_EQ(bar->_Lookup("EditClear")->Text(), "Clear");
  EXPECT_EQ(bar->_Lookup("Quit", 2)->Text(), "Quit");
  EXPECT_EQ(bar->_Lookup("Quit", 0), nullptr);
  EXPECT_EQ(bar->_Lookup("Nothing"), nullptr);
  EXPECT_EQ(bar->Item(1)->Name(), "EditMenu");
  EXPECT_EQ(bar->Item(2), nullptr);
  EXPECT_EQ(bar->Item(-1), nullptr);
  EXPECT_THROW(bar->Append(nullptr), platform::NilObjectException);
}

TEST(MenuItems, AppendRefusesACycle) {
  auto bar = form::MakeMenus();
  const Ref<platform::MenuItem> file = bar->Child("FileMenu");
  const Ref<platform::MenuItem> calc = bar->_Lookup("Calc");
  EXPECT_THROW(file->Append(file), platform::UnsupportedOperationException);
  EXPECT_THROW(calc->Append(bar), platform::UnsupportedOperationException);
  EXPECT_THROW(calc->Append(file), platform::UnsupportedOperationException);
  EXPECT_EQ(calc->Count(), 0);
  file->Append(form::Item("Extra", "Extra"));  // an item of its own is still welcome
  EXPECT_EQ(file->Count(), 4);
}

TEST(MenuItems, ShortcutsUseCtrlForTheCommandKey) {
  const std::pair<const char*, const char*> cases[] = {
      {"Cmd+K", "Ctrl+K"}, {"Cmd+Shift+Z", "Ctrl+Shift+Z"}, {"", ""}, {"F1", "F1"}};
  for (const auto& [given, portable] : cases) {
    EXPECT_EQ(platform::ShortcutForPlatform(given), portable);
  }
}

// "Title: item Shortcut, -, ..." for each menu of the bar.
std::vector<std::string> Describe(const QMenuBar& bar) {
  std::vector<std::string> menus;
  for (const QAction* title : bar.actions()) {
    std::string line = title->text().toStdString() + ":";
    for (const QAction* action : title->menu()->actions()) {
      line += " " + (action->isSeparator() ? std::string("-") : action->text().toStdString());
      if (!action->shortcut().isEmpty()) {
        line += " " + action->shortcut().toString().toStdString();
      }
      line += ",";
    }
    menus.push_back(line);
  }
  return menus;
}

TEST_F(FormTest, TheMenuBarShowsMenusSeparatorsAndShortcuts) {
  EXPECT_EQ(Describe(*main->menuBar()),
            (std::vector<std::string>{
                "File: Calc Ctrl+K, -, Quit Ctrl+Q,",
                "Edit: Undo Ctrl+Z, -, Cut Ctrl+X, Copy Ctrl+C, Paste Ctrl+V, Clear,"}));
}

TEST_F(FormTest, AShortcutQtCannotReadIsRefusedAndTheMenusStay) {
  const std::vector<std::string> before = Describe(*main->menuBar());
  const Ref<platform::MenuBar> menus = window->MenuBar();
  for (const char* shortcut : {"Cmd+Kay", "Cmd+", "Command+K", "Cmd+K, Cmd+Nope"}) {
    SCOPED_TRACE(shortcut);
    auto bar = form::MakeMenus();
    bar->_Lookup("Calc")->SetKeyboardShortcut(shortcut);
    EXPECT_THROW(window->SetMenuBar(bar), platform::UnsupportedOperationException);
    EXPECT_EQ(window->MenuBar(), menus);
    EXPECT_EQ(Describe(*main->menuBar()), before);
  }
}

TEST_F(FormTest, CtrlKRaisesEnableMenuItemsThenTheBoundHandler) {
  year->SetText("1990");
  Edit(year)->setCursorPosition(0);
  window->log.clear();
  QTest::keyClick(Edit(year), Qt::Key_K, Qt::ControlModifier);
  EXPECT_EQ(window->log, (Log{"EnableMenuItems", "Calc"}));
  EXPECT_EQ(year->Text(), "1990");  // the field's own Ctrl+K did not run
}

TEST_F(FormTest, AnItemLeftDisabledCannotBeChosen) {
  window->enableCalc = false;
  QTest::keyClick(Edit(year), Qt::Key_K, Qt::ControlModifier);
  EXPECT_FALSE(window->ChooseMenuItem("Calc"));
  EXPECT_EQ(window->log, (Log{"EnableMenuItems", "EnableMenuItems"}));
}

TEST_F(FormTest, AHandlerOfAnItemSetGetsTheChosenIndex) {
  EXPECT_TRUE(window->ChooseMenuItem("Quit", 2));
  EXPECT_EQ(window->log, (Log{"EnableMenuItems", "Quit 2"}));
  EXPECT_THROW(window->ChooseMenuItem("Quit", 0), platform::UnsupportedOperationException);
}

TEST_F(FormTest, OpeningAMenuRaisesEnableMenuItemsAndMovesNoFocus) {
  QMenu* file = main->menuBar()->actions().at(0)->menu();
  QAction* calc = file->actions().at(0);
  window->enableCalc = false;
  ASSERT_TRUE(calc->isEnabled());
  file->popup(main->mapToGlobal(QPoint(0, 0)));
  QTRY_VERIFY(file->isVisible());
  EXPECT_FALSE(calc->isEnabled());
  file->close();
  QTRY_VERIFY(Edit(year)->hasFocus());
  EXPECT_EQ(window->log, (Log{"EnableMenuItems"}));
}

TEST_F(FormTest, MenuHandlersNeedAMenuSignatureAndOneBinding) {
  const auto handler = [](const platform::EventArgs&) { return false; };
  EXPECT_THROW(window->_AddMenuHandler("EditUndo", platform::Delegate("( TextField )", handler)),
               platform::DelegateSignatureException);
  EXPECT_THROW(window->_AddMenuHandler("Calc", platform::Delegate("(  ) as Boolean", handler)),
               platform::EventBindingException);
}

// Which of the standard Edit items EnableMenuItems leaves enabled.
std::string EnabledEditItems(form::FormWindow& window) {
  window.UpdateMenuItems();
  std::string enabled;
  for (const char* name : {"EditUndo", "EditCut", "EditCopy", "EditPaste", "EditClear"}) {
    if (window.MenuBar()->_Lookup(name)->Enabled()) {
      enabled += std::string(name + 4) + " ";
    }
  }
  return enabled;
}

TEST_F(FormTest, EditItemsAreEnabledWhenTheyApplyToTheFocusedField) {
  struct Case {
    const char* what;
    const char* clipboard;
    std::function<void()> setUp;
    const char* enabled;
  };
  const Case cases[] = {
      {"empty field", "", [] {}, ""},
      {"clipboard with text", "7", [] {}, "Paste "},
      {"text selected", "",
       [&] {
         year->SetText("12");
         Edit(year)->selectAll();
       },
       "Cut Copy Clear "},
      {"a digit typed", "", [&] { QTest::keyClick(Edit(year), Qt::Key_5); }, "Undo Clear "},
      {"the focus on a button", "7",
       [&] {
         year->SetText("12");
         window->Get<platform::PushButton>("Go")->SetFocus();
       },
       ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    year->SetText("");
    year->SetFocus();
    QGuiApplication::clipboard()->setText(c.clipboard);
    c.setUp();
    EXPECT_EQ(EnabledEditItems(*window), c.enabled);
  }
  EXPECT_FALSE(window->ChooseMenuItem("EditClear"));  // the button has the focus
  EXPECT_EQ(year->Text(), "12");
}

TEST_F(FormTest, EditCommandsActOnTheFocusedFieldWithinItsMask) {
  month->SetFocus();
  QGuiApplication::clipboard()->setText("12ab");
  window->log.clear();
  EXPECT_TRUE(window->ChooseMenuItem("EditPaste"));
  EXPECT_EQ(month->Text(), "");
  EXPECT_EQ(window->log, (Log{"EnableMenuItems"}));

  QGuiApplication::clipboard()->setText("7");
  EXPECT_TRUE(window->ChooseMenuItem("EditPaste"));
  EXPECT_EQ(month->Text(), "7");
  EXPECT_TRUE(window->ChooseMenuItem("EditClear"));
  EXPECT_EQ(month->Text(), "");
  EXPECT_TRUE(window->ChooseMenuItem("EditUndo"));
  EXPECT_EQ(month->Text(), "7");
  EXPECT_EQ(window->log,
            (Log{"EnableMenuItems", "EnableMenuItems", "Month TextChange", "EnableMenuItems",
                 "Month TextChange", "EnableMenuItems", "Month TextChange"}));
}

}  // namespace
