// Keys: KeyDown before the field and the focus chain, the key-state map, Roman input.
#include "platform/keyboard.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodQueryEvent>

#include "form_window.h"

namespace {

using form::FormTest;
using platform::String;
using Log = std::vector<std::string>;

TEST_F(FormTest, KeyDownGetsEachKeyAsItsCodeBeforeTheFieldAndTheFocusChain) {
  struct Case {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    String text;     // what KeyDown gets; empty when it is not raised
    char given = 0;  // the text X11 gives where QTest gives none
  };
  const Case cases[] = {
      {Qt::Key_Tab, Qt::NoModifier, "\t"},
      {Qt::Key_Tab, Qt::ShiftModifier, "\t"},      // Shift+Tab as QTest sends it
      {Qt::Key_Backtab, Qt::ShiftModifier, "\t"},  // and as X11 does
      {Qt::Key_Return, Qt::NoModifier, "\r"},
      {Qt::Key_Return, Qt::ShiftModifier, "\r"},
      {Qt::Key_Enter, Qt::KeypadModifier, "\x03"},
      {Qt::Key_Tab, Qt::ControlModifier, "\t"},  // not a menu shortcut: the field's
      {Qt::Key_Backspace, Qt::NoModifier, "\x08"},
      {Qt::Key_Delete, Qt::NoModifier, "\x7f"},
      {Qt::Key_Escape, Qt::NoModifier, "\x1b"},
      {Qt::Key_Left, Qt::NoModifier, "\x1c"},
      {Qt::Key_Right, Qt::NoModifier, "\x1d"},
      {Qt::Key_Up, Qt::NoModifier, "\x1e"},
      {Qt::Key_Down, Qt::NoModifier, "\x1f"},
      {Qt::Key_7, Qt::NoModifier, "7"},
      {Qt::Key_I, Qt::ControlModifier, "", '\t'},  // a command, not a Tab
  };
  std::vector<String> keys;
  QWidget* focusAtKey = nullptr;
  window->OnKeyDown(year, [&](const String& key) {
    keys.push_back(key);
    focusAtKey = QApplication::focusWidget();
    return true;
  });
  year->SetText("12");
  window->log.clear();
  for (const auto& c : cases) {
    SCOPED_TRACE(QKeySequence(c.key).toString().toStdString());
    keys.clear();
    QTest::sendKeyEvent(QTest::Click, Edit(year), c.key,
                        c.given ? c.given : QTest::keyToAscii(c.key), c.modifiers);
    EXPECT_EQ(keys, c.text.empty() ? std::vector<String>{} : std::vector<String>{c.text});
    EXPECT_EQ(focusAtKey, c.text.empty() ? nullptr : Edit(year));
    focusAtKey = nullptr;
  }
  // Consumed: nothing typed, deleted or moved.
  EXPECT_EQ(year->Text(), "12");
  EXPECT_TRUE(Edit(year)->hasFocus());
  EXPECT_EQ(window->log, Log{});

  keys.clear();
  QGuiApplication::clipboard()->setText("3");
  QTest::keyClick(Edit(year), Qt::Key_V, Qt::ControlModifier);  // a menu shortcut is no key typed
  QTest::keyClick(Edit(year), Qt::Key_Shift);                   // nor is a modifier alone
  EXPECT_EQ(keys, std::vector<String>{});
  EXPECT_EQ(year->Text(), "123");
}

TEST_F(FormTest, LeavingKeysHandedBackAreSwallowedOtherKeysReachTheField) {
  window->OnKeyDown(year, [](const String&) { return false; });
  const std::pair<Qt::Key, Qt::KeyboardModifiers> leaving[] = {
      {Qt::Key_Tab, Qt::NoModifier},
      {Qt::Key_Backtab, Qt::ShiftModifier},
      {Qt::Key_Return, Qt::NoModifier},
      {Qt::Key_Enter, Qt::KeypadModifier},
  };
  for (const auto& [key, modifiers] : leaving) {
    QTest::keyClick(Edit(year), key, modifiers);
    EXPECT_TRUE(Edit(year)->hasFocus()) << key;
  }
  EXPECT_EQ(window->log, Log{});
  QTest::keyClick(Edit(year), Qt::Key_5);
  EXPECT_EQ(year->Text(), "5");
  const std::tuple<Qt::Key, Qt::KeyboardModifiers, char, String> others[] = {
      {Qt::Key_A, Qt::ControlModifier, '\x01', "5"},  // the field's select all, X11's text
      {Qt::Key_7, Qt::NoModifier, '7', "7"},          // so that 7 replaces it
      {Qt::Key_Z, Qt::ControlModifier, '\x1a', "5"},
      {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, '\x1a', "7"},  // redo
  };
  for (const auto& [key, modifiers, given, text] : others) {
    QTest::sendKeyEvent(QTest::Click, Edit(year), key, given, modifiers);
    EXPECT_EQ(year->Text(), text) << QKeySequence(key | modifiers).toString().toStdString();
  }

  // A field without a KeyDown handler leaves Tab to the focus chain.
  month->SetFocus();
  window->log.clear();
  QTest::keyClick(Edit(month), Qt::Key_Tab);
  EXPECT_FALSE(Edit(month)->hasFocus());
  EXPECT_EQ(window->log, Log{"Month LostFocus"});
}

bool KeyDown(std::int32_t code) {
  auto map = platform::New<platform::MemoryBlock>(16);
  platform::GetKeys(*map);
  return (map->Byte(code / 8) >> (code % 8)) & 1;
}

TEST_F(FormTest, GetKeysSeesShiftWhileAKeyHandlerRuns) {
  std::vector<bool> shiftAtKey;
  window->OnKeyDown(year, [&](const String&) {
    shiftAtKey.push_back(KeyDown(56));
    return true;
  });
  QTest::keyClick(Edit(year), Qt::Key_Tab, Qt::ShiftModifier);
  QTest::keyClick(Edit(year), Qt::Key_Backtab, Qt::ShiftModifier);
  QTest::keyClick(Edit(year), Qt::Key_Return, Qt::ShiftModifier);
  QTest::keyClick(Edit(year), Qt::Key_Tab);
  EXPECT_EQ(shiftAtKey, (std::vector<bool>{true, true, true, false}));
  EXPECT_FALSE(KeyDown(56));  // released with the key
}

TEST_F(FormTest, GetKeysFollowsEachModifierFromPressToRelease) {
  const std::pair<Qt::KeyboardModifier, std::int32_t> modifiers[] = {
      {Qt::MetaModifier, 55},
      {Qt::ShiftModifier, 56},
      {Qt::AltModifier, 58},
      {Qt::ControlModifier, 59},
  };
  for (const auto& [modifier, code] : modifiers) {
    QTest::keyPress(Edit(year), Qt::Key_0, modifier);
    EXPECT_TRUE(KeyDown(code)) << code;
    QTest::keyRelease(Edit(year), Qt::Key_0, modifier);
    EXPECT_FALSE(KeyDown(code)) << code;
  }
  auto small = platform::New<platform::MemoryBlock>(15);
  EXPECT_THROW(platform::GetKeys(*small), platform::OutOfBoundsException);
}

TEST_F(FormTest, GetKeysForgetsKeysHeldWhenTheWindowIsLeft) {
  QTest::keyPress(Edit(year), Qt::Key_Shift);
  ASSERT_TRUE(KeyDown(56));
  QWidget other;
  other.show();
  other.activateWindow();
  QTRY_VERIFY(!main->isActiveWindow());
  EXPECT_FALSE(KeyDown(56));  // its release goes to the other window
}

bool ImEnabled(QWidget* widget) {
  QInputMethodQueryEvent query(Qt::ImEnabled);
  QApplication::sendEvent(widget, &query);
  return query.value(Qt::ImEnabled).toBool();
}

TEST_F(FormTest, KeyScriptRomanTakesTheFocusedFieldOutOfComposition) {
  EXPECT_TRUE(ImEnabled(Edit(year)));
  platform::KeyScript(-17);
  EXPECT_FALSE(ImEnabled(Edit(year)));
  EXPECT_TRUE(ImEnabled(Edit(month)));
  QTest::keyClicks(Edit(year), "19");
  EXPECT_EQ(year->Text(), "19");

  EXPECT_THROW(platform::KeyScript(0), platform::UnsupportedOperationException);
}

TEST_F(FormTest, KeyScriptFromGotFocusSwitchesTheFieldEntered) {
  auto day = window->__New<platform::TextField>();
  day->Constructor();
  window->_AddControl("Day", day);
  window->_SetProperties(day, form::List{}.Text("Name", "Day").Int("Left", 150).View());
  day->AddEventHandler(platform::TextField::kGotFocus,
                       platform::Delegate("( TextField )", [](const platform::EventArgs&) {
                         platform::KeyScript(-17);
                         return false;
                       }));
  QTest::mouseClick(platform::NativeWidget(*day), Qt::LeftButton);
  EXPECT_FALSE(ImEnabled(platform::NativeWidget(*day)));
  EXPECT_TRUE(ImEnabled(Edit(year)));
}

}  // namespace
