// Windows and controls on real widgets: design-time lists, focus, text changes, masks, buttons,
// message dialogs and closing.
#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <algorithm>

#include "form_window.h"
#include "platform/application.h"
#include "platform/dialog.h"

namespace {

using form::FormTest;
using form::FormWindow;
using platform::New;
using Log = std::vector<std::string>;

TEST_F(FormTest, ListsPlaceEachControlInItsParentFromContentCoordinates) {
  struct Row {
    const char* name;
    const char* parent;  // nullptr: the content area
    QRect geometry;      // in the parent's coordinates
  };
  const Row rows[] = {
      {"Group", nullptr, {10, 100, 200, 80}}, {"Inner", "Group", {10, 10, 100, 20}},
      {"Year", nullptr, {10, 10, 80, 24}},    {"Month", nullptr, {100, 10, 40, 24}},
      {"Era", nullptr, {10, 40, 280, 50}},    {"Go", "Era", {210, 20, 60, 20}},
  };
  QWidget* content = platform::NativeContentWidget(*window);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    QWidget* widget = platform::NativeWidget(*window->_ControlByName(row.name));
    QWidget* parent =
        row.parent ? platform::NativeWidget(*window->_ControlByName(row.parent)) : content;
    EXPECT_EQ(widget->parentWidget(), parent);
    EXPECT_EQ(widget->geometry(), row.geometry);
    EXPECT_TRUE(widget->isVisible());
  }
}

TEST_F(FormTest, TheWindowKeepsItsContentSizeAndHasOnlyACloseButton) {
  QWidget* content = platform::NativeContentWidget(*window);
  EXPECT_EQ(content->size(), QSize(300, 200));
  EXPECT_EQ(main->minimumSize(), main->maximumSize());
  main->resize(main->width() + 50, main->height() + 50);
  EXPECT_EQ(content->size(), QSize(300, 200));
  EXPECT_EQ(main->windowTitle(), "フォーム");
  const Qt::WindowFlags flags = main->windowFlags();
  EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
}

TEST_F(FormTest, AResizeableWindowOpensAtItsSizeAndFollowsItsLimits) {
  const auto list = form::List{}
                        .Int("Width", 320)
                        .Int("MinWidth", 200)
                        .Int("MinHeight", 100)
                        .Int("MaxWidth", 400)
                        .Int("MaxHeight", 300)
                        .Bool("Resizeable", true)
                        .Bool("MinimizeButton", true);
  window->_SetProperties(window, list.View());
  QWidget* content = platform::NativeContentWidget(*window);
  EXPECT_EQ(content->size(), QSize(320, 200));
  EXPECT_TRUE(main->isVisible());
  EXPECT_TRUE(main->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
  main->resize(main->width() + 40, main->height() + 40);
  EXPECT_EQ(content->size(), QSize(360, 240));
  main->resize(1000, 1000);
  EXPECT_EQ(content->size(), QSize(400, 300));
}

TEST_F(FormTest, ListsSetAlignmentColourFontAndHelp) {
  auto* era = static_cast<QLabel*>(platform::NativeWidget(*window->_ControlByName("Era")));
  EXPECT_EQ(era->text(), "平成");
  EXPECT_EQ(era->alignment(), Qt::AlignHCenter | Qt::AlignTop);
  EXPECT_TRUE(era->wordWrap());
  EXPECT_EQ(era->palette().color(QPalette::WindowText), QColor(0xFF, 0x20, 0x0B));
  EXPECT_EQ(era->toolTip(), "era");
  EXPECT_EQ(QFontInfo(era->font()).pixelSize(), 16);

  QLineEdit* edit = Edit(year);
  EXPECT_EQ(year->Alignment(), 3);
  EXPECT_EQ(edit->alignment(), Qt::AlignRight | Qt::AlignVCenter);
  EXPECT_EQ(edit->palette().color(QPalette::Text), QColor(0x10, 0x20, 0x30));
  const QFontInfo font(edit->font());
  EXPECT_TRUE(font.bold());
  EXPECT_EQ(font.pixelSize(), 20);
  EXPECT_EQ(font.family(), "IPAGothic");  // stands in for "Osaka"
}

TEST_F(FormTest, AlignmentCodesMapToSides) {
  const std::pair<std::int32_t, Qt::Alignment> codes[] = {
      {0, Qt::AlignLeft}, {1, Qt::AlignLeft}, {2, Qt::AlignHCenter}, {3, Qt::AlignRight}};
  for (const auto& [code, side] : codes) {
    year->SetAlignment(code);
    EXPECT_EQ(year->Alignment(), code);
    EXPECT_EQ(Edit(year)->alignment() & Qt::AlignHorizontal_Mask, side) << code;
  }
  EXPECT_THROW(year->SetAlignment(4), platform::UnsupportedOperationException);
  EXPECT_THROW(year->SetAlignment(-1), platform::UnsupportedOperationException);
  EXPECT_EQ(year->Alignment(), 3);
}

// Each list changes the text and the place first, then goes wrong: nothing may change.
TEST_F(FormTest, AListWithOneBadValueChangesNothing) {
  auto era = window->_ControlByName("Era");
  auto start = [] {
    return form::List{}.Text("Name", "Era").Text("Text", "changed").Int("Left", 0);
  };
  struct Case {
    const char* what;
    std::string list;
    bool unsupported;  // rather than malformed
  };
  const std::string good(start().View());
  const Case cases[] = {
      {"cut short", good.substr(0, good.size() - 2), false},
      {"a key of another class", std::string(start().Text("Mask", "##").View()), false},
      {"an unknown TextAlign", std::string(start().Int("TextAlign", 7).View()), false},
      {"an unknown parent", std::string(start().Text("InitialParent", "Nowhere").View()), false},
      {"itself as parent", std::string(start().Text("InitialParent", "Era").View()), false},
      {"another name", std::string(form::List{}.Text("Text", "changed").Text("Name", "Go").View()),
       false},
      {"a control array", std::string(start().Int("Index", 3).View()), true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    try {
      window->_SetProperties(era, c.list);
      ADD_FAILURE() << "accepted";
    } catch (const platform::PropertyListException&) {
      EXPECT_FALSE(c.unsupported);
    } catch (const platform::UnsupportedOperationException&) {
      EXPECT_TRUE(c.unsupported);
    }
    EXPECT_EQ(platform::RuntimeCheckCast<platform::Label>(era)->Text(), "平成");
    EXPECT_EQ(platform::NativeWidget(*era)->x(), 10);
  }
  const auto mask = form::List{}.Text("Text", "1").Text("Mask", "(###)");
  EXPECT_THROW(window->_SetProperties(year, mask.View()), platform::UnsupportedOperationException);
  EXPECT_EQ(year->Text(), "");
}

TEST_F(FormTest, MisuseIsRefusedWithNamedExceptions) {
  auto extra = window->__New<platform::Label>();
  EXPECT_THROW(extra->SetText("x"), platform::NilObjectException);  // no widget yet
  extra->Constructor();
  EXPECT_THROW(extra->Constructor(), platform::UnsupportedOperationException);
  EXPECT_THROW(window->_AddControl("Era", extra), platform::UnsupportedOperationException);
  EXPECT_THROW(extra->SetTextUnit(1), platform::UnsupportedOperationException);
  EXPECT_THROW(extra->SetTextSize(-1), platform::UnsupportedOperationException);
  EXPECT_THROW(window->_SetProperties(nullptr, ""), platform::NilObjectException);

  const platform::Delegate handler("( TextField )",
                                   [](const platform::EventArgs&) { return false; });
  EXPECT_THROW(year->AddEventHandler(platform::TextField::kGotFocus, handler),
               platform::EventBindingException);

  auto other = New<FormWindow>();
  other->Constructor();
  EXPECT_THROW(window->_SetProperties(other->_ControlByName("Era"), ""),
               platform::UnsupportedOperationException);
  EXPECT_THROW(window->_AddControl("Stray", other->__New<platform::Label>()),
               platform::UnsupportedOperationException);
}

TEST_F(FormTest, AClickMovesTheFocusWithLostThenGot) {
  QTest::mouseClick(Edit(month), Qt::LeftButton);
  EXPECT_EQ(window->log, (Log{"Year LostFocus", "Month GotFocus"}));
  EXPECT_EQ(QApplication::focusWidget(), Edit(month));
}

TEST_F(FormTest, SetFocusInsideKeyDownRaisesBothFocusEvents) {
  window->OnKeyDown(year, [&](const platform::String&) {
    window->log.push_back("Year KeyDown");
    month->SetFocus();
    return true;
  });
  QTest::keyClick(Edit(year), Qt::Key_Tab);
  EXPECT_EQ(window->log, (Log{"Year KeyDown", "Year LostFocus", "Month GotFocus"}));
  EXPECT_TRUE(Edit(month)->hasFocus());
}

struct SeenBox {
  QString title, text, informative;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QStringList buttons;
};

// Reads the next modal message box, then presses its first button.
void DismissNextBox(SeenBox& seen) {
  auto* timer = new QTimer(qApp);
  QObject::connect(timer, &QTimer::timeout, [timer, &seen] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) {
      return;
    }
    timer->stop();
    timer->deleteLater();
    seen = {box->windowTitle(), box->text(), box->informativeText(), box->icon(), {}};
    for (QAbstractButton* button : box->buttons()) {
      seen.buttons << button->text();
    }
    box->buttons().first()->click();
  });
  timer->start(10);
}

TEST_F(FormTest, AModalDialogFromAKeyHandlerRaisesNoFocusEvent) {
  SeenBox seen;
  window->OnKeyDown(year, [&](const platform::String&) {
    DismissNextBox(seen);
    auto dialog = New<platform::MessageDialog>();
    dialog->SetMessage("m");
    dialog->ShowModal();
    return false;  // Return handed back: swallowed, the focus stays
  });
  QTest::keyClick(Edit(year), Qt::Key_Return);
  EXPECT_EQ(seen.text, "m");
  QTRY_VERIFY(main->isActiveWindow());
  QTRY_VERIFY(Edit(year)->hasFocus());
  EXPECT_EQ(window->log, Log{});
}

TEST_F(FormTest, AMessageDialogShowsItsTextsAndOneButton) {
  const std::pair<std::int32_t, QMessageBox::Icon> icons[] = {{0, QMessageBox::Information},
                                                              {1, QMessageBox::Warning},
                                                              {2, QMessageBox::Critical},
                                                              {3, QMessageBox::Question}};
  for (const auto& [code, icon] : icons) {
    auto dialog = New<platform::MessageDialog>();
    dialog->SetIcon(code);
    dialog->SetTitle("注意");
    dialog->SetMessage("注意：日付に誤りがあります。");
    dialog->SetExplanation("月を正しく入力してください。");
    dialog->ActionButton()->SetCaption("OK");
    SeenBox seen;
    DismissNextBox(seen);
    EXPECT_EQ(dialog->ShowModal(), dialog->ActionButton());
    EXPECT_EQ(seen.title, "注意");
    EXPECT_EQ(seen.text, "注意：日付に誤りがあります。");
    EXPECT_EQ(seen.informative, "月を正しく入力してください。");
    EXPECT_EQ(seen.icon, icon);
    EXPECT_EQ(seen.buttons, QStringList{"OK"});
    QTRY_VERIFY(main->isActiveWindow());
  }
  auto dialog = New<platform::MessageDialog>();
  dialog->SetIcon(4);
  EXPECT_THROW(dialog->ShowModal(), platform::UnsupportedOperationException);
}

TEST_F(FormTest, TextChangeFollowsTypingPastingAndCode) {
  QTest::keyClicks(Edit(year), "19");
  QGuiApplication::clipboard()->setText("9");
  QTest::keyClick(Edit(year), Qt::Key_V, Qt::ControlModifier);
  year->SetText("2000");
  EXPECT_EQ(std::ranges::count(window->log, "Year TextChange"), 4);
  EXPECT_EQ(year->Text(), "2000");
}

TEST_F(FormTest, MasksTakeDigitsUpToTheLimitAndRefuseAPasteWhole) {
  enum How { kTyped, kPasted, kCommitted };  // key by key, by Ctrl+V, from an input method
  struct Case {
    const char* field;
    const char* before;
    How how;
    const char* input;
    const char* after;
  };
  const Case cases[] = {
      {"Year", "", kTyped, "12ab", "12"},
      {"Year", "12", kTyped, "3456", "1234"},
      {"Year", "", kPasted, "12ab", ""},
      {"Year", "", kPasted, "12345", ""},
      {"Year", "", kPasted, "1990", "1990"},
      {"Month", "", kTyped, "123", "12"},
      {"Month", "", kPasted, "１2", "12"},
      {"Month", "1", kPasted, "2", "12"},
      {"Year", "", kCommitted, "１９９０", "1990"},
      {"Month", "1", kTyped, "５", "15"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.field) + " " + c.input);
    auto field = window->Get<platform::TextField>(c.field);
    field->SetText(c.before);
    field->SetFocus();
    window->log.clear();
    const QString input = QString::fromUtf8(c.input);
    if (c.how == kPasted) {
      QGuiApplication::clipboard()->setText(input);
      QTest::keyClick(Edit(field), Qt::Key_V, Qt::ControlModifier);
    } else if (c.how == kCommitted) {
      QInputMethodEvent commit;
      commit.setCommitString(input);
      QApplication::sendEvent(Edit(field), &commit);
    } else {  // key by key, as X11 gives them (QTest takes ASCII only)
      for (const QChar ch : input) {
        QTest::sendKeyEvent(QTest::Click, Edit(field), Qt::Key(ch.toUpper().unicode()), ch, {});
      }
    }
    EXPECT_EQ(field->Text(), c.after);
    if (std::string_view(c.before) == c.after) {  // refused: no change to report
      EXPECT_EQ(std::ranges::count(window->log, std::string(c.field) + " TextChange"), 0);
    }
    Edit(field)->undo();  // as for ASCII digits: the input is one step
    EXPECT_EQ(field->Text(), c.before);
  }
}

TEST_F(FormTest, SelectionIsSetFromStartOverLengthWithinTheText) {
  year->SetText("1990");
  struct Case {
    std::int32_t start, length, selStart, selLength;
  };
  const Case cases[] = {{0, 4, 0, 4}, {1, 2, 1, 2}, {0, 9, 0, 4},
                        {3, 5, 3, 1}, {6, 1, 4, 0}, {-2, 2, 0, 2}};
  for (const auto& c : cases) {
    year->SetSelStart(c.start);
    year->SetSelLength(c.length);
    EXPECT_EQ(year->SelStart(), c.selStart) << c.start << "+" << c.length;
    EXPECT_EQ(year->SelLength(), c.selLength) << c.start << "+" << c.length;
  }
}

TEST_F(FormTest, AClickOnAButtonRaisesActionAndLeavesTheFocusInTheField) {
  auto go = window->Get<platform::PushButton>("Go");
  int actions = 0;
  go->AddEventHandler(platform::PushButton::kAction,
                      platform::Delegate("( PushButton )", [&](const platform::EventArgs& args) {
                        EXPECT_EQ(args.sender, go);
                        ++actions;
                        return false;
                      }));
  QTest::mouseClick(platform::NativeWidget(*go), Qt::LeftButton);
  EXPECT_EQ(actions, 1);
  EXPECT_EQ(go->Caption(), "計算");
  EXPECT_TRUE(Edit(year)->hasFocus());
  EXPECT_EQ(window->log, Log{});
}

class CountingApp : public platform::Application {
 public:
  void Event_Close() override { ++closes; }
  int closes = 0;
};

TEST_F(FormTest, ClosingTheLastOpenWindowQuitsWithCodeZeroAndRaisesNoClose) {
  auto app = New<CountingApp>();
  platform::_RuntimeRegisterAppObject(app);
  auto second = New<FormWindow>();
  second->Constructor();
  const auto implicit = [] { return platform::Window::_GetImplicitWindow("Window"); };
  EXPECT_EQ(implicit(), window);

  window->Close();
  EXPECT_FALSE(window->IsOpen());
  EXPECT_EQ(implicit(), second);
  EXPECT_FALSE(platform::testing::QuitRequested());

  platform::NativeWindowWidget(*second)->close();  // as the window's close button does
  EXPECT_FALSE(second->IsOpen());
  EXPECT_EQ(implicit(), nullptr);
  EXPECT_TRUE(platform::testing::QuitRequested());
  EXPECT_EQ(platform::testing::QuitCode(), 0);
  EXPECT_EQ(app->closes, 0);
}

}  // namespace
