// The File and Edit menus: the tree MenuBar1 builds, what the window shows of it, the item
// accessors, enabling "計算" and the Edit menu on a date field.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <optional>

#include "app/menubar1.h"
#include "fixture.h"
#include "platform/native.h"
#include "platform/testing.h"

namespace {

using app::Window1;
using platform::ClassNameOf;
using platform::MenuItem;

struct ItemCase {
  const char* name;
  const char* cls;
  const char* text;
  const char* shortcut;
  bool autoEnable;
  std::optional<std::int32_t> index;
};

struct MenuCase {
  ItemCase title;
  std::vector<ItemCase> items;
};

const std::vector<MenuCase> kMenus = {
    {{"FileMenu", "MenuItem", "ファイル", "", true, {}},
     {
         {"keisanMenuItem", "MenuItem", "計算", "Cmd+K", false, {}},
         {"UntitledMenu1", "MenuItem", "-", "", true, {}},
         {"FileQuitMenuItem", "MenuBar", "終了", "Cmd+Q", true, 0},
     }},
    {{"EditMenu", "MenuItem", "編集", "", true, {}},
     {
         {"EditUndo", "MenuItem", "取り消し", "Cmd+Z", false, {}},
         {"UntitledMenu0", "MenuItem", "-", "", true, {}},
         {"EditCut", "MenuItem", "カット", "Cmd+X", false, {}},
         {"EditCopy", "MenuItem", "コピー", "Cmd+C", false, {}},
         {"EditPaste", "MenuItem", "ペースト", "Cmd+V", false, {}},
         {"EditClear", "MenuItem", "クリア", "", false, {}},
     }},
};

void ExpectItem(const MenuItem& item, const ItemCase& c) {
  SCOPED_TRACE(c.name);
  EXPECT_EQ(item.Name(), c.name);
  EXPECT_EQ(ClassNameOf(item), c.cls);
  EXPECT_EQ(item.Text(), c.text);
  EXPECT_EQ(item.KeyboardShortcut(), c.shortcut);
  EXPECT_EQ(item.AutoEnable(), c.autoEnable);
  EXPECT_EQ(item.Index(), c.index);
}

// What the window shows: Cmd is the Ctrl key here, "-" a separator.
void ExpectAction(const QAction& action, const ItemCase& c) {
  SCOPED_TRACE(c.name);
  if (std::string_view(c.text) == "-") {
    EXPECT_TRUE(action.isSeparator());
    return;
  }
  EXPECT_EQ(action.text(), QString::fromUtf8(c.text));
  QString shortcut = QString::fromUtf8(c.shortcut);
  shortcut.replace("Cmd+", "Ctrl+");
  EXPECT_EQ(action.shortcut().toString(QKeySequence::PortableText), shortcut);
}

class MenuTest : public AppTest {
 protected:
  QMainWindow* native() const { return platform::NativeWindowWidget(*window()); }
};

TEST_F(MenuTest, MenuBar1BuildsFileThenEdit) {
  const auto bar = app::implicit::MenuBar1();
  EXPECT_EQ(ClassNameOf(*bar), "MenuBar1.MenuBar1");
  ASSERT_EQ(bar->Count(), static_cast<std::int32_t>(kMenus.size()));
  for (std::size_t m = 0; m < kMenus.size(); ++m) {
    const auto menu = bar->Item(static_cast<std::int32_t>(m));
    ASSERT_TRUE(menu);
    ExpectItem(*menu, kMenus[m].title);
    const auto& items = kMenus[m].items;
    ASSERT_EQ(menu->Count(), static_cast<std::int32_t>(items.size()));
    for (std::size_t i = 0; i < items.size(); ++i) {
      ExpectItem(*menu->Item(static_cast<std::int32_t>(i)), items[i]);
      EXPECT_EQ(menu->Item(static_cast<std::int32_t>(i))->Count(), 0);
    }
  }
}

TEST_F(MenuTest, WindowShowsTheMenusWithTheirShortcuts) {
  const QList<QAction*> titles = native()->menuBar()->actions();
  ASSERT_EQ(titles.size(), static_cast<qsizetype>(kMenus.size()));
  for (std::size_t m = 0; m < kMenus.size(); ++m) {
    const QAction* title = titles[static_cast<qsizetype>(m)];
    EXPECT_EQ(title->text(), QString::fromUtf8(kMenus[m].title.text));
    ASSERT_NE(title->menu(), nullptr);
    const QList<QAction*> actions = title->menu()->actions();
    const auto& items = kMenus[m].items;
    ASSERT_EQ(actions.size(), static_cast<qsizetype>(items.size()));
    for (std::size_t i = 0; i < items.size(); ++i) {
      ExpectAction(*actions[static_cast<qsizetype>(i)], items[i]);
    }
  }
}

TEST_F(MenuTest, ItemAccessorsFindTheirItemsInTheWindowsBar) {
  using Accessor = MenuItem* (*)(const Window1&);
  const std::pair<const char*, Accessor> accessors[] = {
      {"EditMenu", [](const Window1& w) -> MenuItem* { return w.EditMenu().get(); }},
      {"EditClear", [](const Window1& w) -> MenuItem* { return w.EditClear().get(); }},
      {"EditPaste", [](const Window1& w) -> MenuItem* { return w.EditPaste().get(); }},
      {"EditCopy", [](const Window1& w) -> MenuItem* { return w.EditCopy().get(); }},
      {"EditCut", [](const Window1& w) -> MenuItem* { return w.EditCut().get(); }},
      {"UntitledMenu0", [](const Window1& w) -> MenuItem* { return w.UntitledMenu0().get(); }},
      {"EditUndo", [](const Window1& w) -> MenuItem* { return w.EditUndo().get(); }},
      {"FileMenu", [](const Window1& w) -> MenuItem* { return w.FileMenu().get(); }},
      {"FileQuitMenuItem",
       [](const Window1& w) -> MenuItem* { return w.FileQuitMenuItem(0).get(); }},
      {"UntitledMenu1", [](const Window1& w) -> MenuItem* { return w.UntitledMenu1().get(); }},
      {"keisanMenuItem", [](const Window1& w) -> MenuItem* { return w.keisanMenuItem().get(); }},
  };
  const auto bar = window()->MenuBar();
  for (const auto& [name, accessor] : accessors) {
    const MenuItem* found = accessor(*window());
    EXPECT_NE(found, nullptr) << name;
    EXPECT_EQ(found, bar->_Lookup(name).get()) << name;
  }
  EXPECT_EQ(window()->FileQuitMenuItem(1), nullptr) << "the item set has one member";
}

TEST_F(MenuTest, CalculateIsEnabledWheneverTheWindowEnablesItsItems) {
  window()->keisanMenuItem()->SetEnabled(false);
  window()->UpdateMenuItems();
  EXPECT_TRUE(window()->keisanMenuItem()->Enabled());
  QAction* calculate = menuAction("ファイル", "計算");
  ASSERT_NE(calculate, nullptr);
  EXPECT_TRUE(calculate->isEnabled());
  EXPECT_TRUE(window()->FileQuitMenuItem(0)->Enabled());
}

TEST_F(MenuTest, MenuHandlersBindOnlyToAWindow1) {
  const auto plain = platform::New<platform::Window>();
  EXPECT_THROW(window()->AddMenuHandlers(plain), platform::IllegalCastException);
}

TEST_F(MenuTest, PasteIntoTheMonthFieldTakesDigitsOnly) {
  struct Case {
    const char* clipboard;
    const char* result;
  };
  for (const Case& c : {Case{"12ab", ""}, Case{"12", "12"}}) {
    SCOPED_TRACE(c.clipboard);
    field(2)->clear();
    click(field(2));
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == field(2); }, 1000));
    QApplication::clipboard()->setText(QString::fromUtf8(c.clipboard));
    window()->UpdateMenuItems();
    QAction* paste = menuAction("編集", "ペースト");
    ASSERT_NE(paste, nullptr);
    paste->trigger();
    EXPECT_EQ(field(2)->text(), QString::fromUtf8(c.result));
  }
}

}  // namespace
