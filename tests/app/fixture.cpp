#include "fixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <algorithm>
#include <array>

#include "app/startup.h"
#include "platform/native.h"
#include "platform/runtime.h"
#include "platform/testing.h"

namespace apptest {

namespace {

// Fails the test with what a handler raised while the test drove the window.
void ReportPendingException() {
  const std::exception_ptr pending = platform::testing::TakePendingException();
  if (!pending)
    return;
  try {
    std::rethrow_exception(pending);
  } catch (const platform::RuntimeException& e) {
    ADD_FAILURE() << "a handler raised " << e.ClassName() << ": " << e.what();
  } catch (const std::exception& e) {
    ADD_FAILURE() << "a handler raised: " << e.what();
  } catch (...) {
    ADD_FAILURE() << "a handler raised an exception of unknown type";
  }
}

void RecordAndDismiss(QMessageBox& box, DialogRecord& record) {
  record.shown = true;
  record.title = box.windowTitle();
  record.text = box.text();
  record.informativeText = box.informativeText();
  record.icon = box.icon();
  const QList<QAbstractButton*> buttons = box.buttons();
  for (const QAbstractButton* b : buttons)
    record.buttons << b->text();
  if (!buttons.isEmpty())
    buttons.first()->click();
}

}  // namespace

void AppTest::SetUp() {
  failOnUnexpectedDialogs();
  platform::testing::SetBeepHook([counter = beeps_] { ++*counter; });
  platform::_RuntimeSetExceptionHelper(app::_CallFunctionWithExceptionHandling);
  platform::_RunFrameworkInitialization(platform::RuntimeCreateDelegate(app::_Startup, "(  )"));

  QMainWindow* native = platform::NativeWindowWidget(*window());
  native->show();
  native->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(native)) << "the main window did not become active";
}

void AppTest::TearDown() {
  unexpectedDialogs_.reset();
  dialogWatchers_.clear();
  if (auto open = platform::Window::_GetImplicitWindow(app::Window1::kClassName))
    open->Close();
  // Let whatever the close posted run now, not inside the next test.
  QCoreApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  app::finalize();
  platform::testing::ResetQuit();
  platform::testing::UseRealClock();
  platform::testing::SetBeepHook({});
  ReportPendingException();
}

platform::Ref<app::Window1> AppTest::window() const {
  auto open = platform::Window::_GetImplicitWindow(app::Window1::kClassName);
  if (!open)
    ADD_FAILURE() << "no Window1 is open";
  return platform::RuntimeCheckCast<app::Window1>(open);
}

QWidget* AppTest::widget(const char* name) const {
  const auto control = window()->_ControlByName(name);
  if (!control) {
    ADD_FAILURE() << "no control named " << name;
    return nullptr;
  }
  return platform::NativeWidget(*control);
}

QLineEdit* AppTest::field(int n) const {
  static constexpr std::array kNames = {"EditField1", "EditField2", "EditField3"};
  if (n < 1 || n > 3) {
    ADD_FAILURE() << "date fields are numbered 1 to 3, not " << n;
    return nullptr;
  }
  return qobject_cast<QLineEdit*>(widget(kNames[n - 1]));
}

QLabel* AppTest::label(const char* name) const {
  return qobject_cast<QLabel*>(widget(name));
}

QPushButton* AppTest::button(const char* name) const {
  return qobject_cast<QPushButton*>(widget(name));
}

QAction* AppTest::menuAction(const QString& menu, const QString& item) const {
  for (QAction* title : platform::NativeWindowWidget(*window())->menuBar()->actions()) {
    if (title->text() != menu || !title->menu())
      continue;
    for (QAction* action : title->menu()->actions()) {
      if (action->text() == item)
        return action;
    }
  }
  ADD_FAILURE() << "no menu item " << menu.toStdString() << " > " << item.toStdString();
  return nullptr;
}

void AppTest::type(QWidget* target, const QString& digitsOrAscii) {
  QTest::keyClicks(target, digitsOrAscii);
}

void AppTest::press(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers) {
  QTest::keyClick(target, key, modifiers);
}

void AppTest::click(QWidget* target) {
  QTest::mouseClick(target, Qt::LeftButton, {}, target->rect().center());
}

DialogSeen AppTest::expectDialog() {
  auto record = std::make_shared<DialogRecord>();
  auto watcher = std::make_unique<QTimer>();
  QTimer* timer = watcher.get();
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, [timer, record] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box)
      return;
    timer->stop();
    RecordAndDismiss(*box, *record);
  });
  timer->start();
  dialogWatchers_.push_back(std::move(watcher));
  return record;
}

// A modal box waits for a user who never comes: one that no expectDialog() awaits fails the test
// with what it said and is dismissed. It is taken at the second look that finds it up, so that a
// test's own watchers, which look at every turn of the loop, have had their chance.
void AppTest::failOnUnexpectedDialogs() {
  unexpectedDialogs_ = std::make_unique<QTimer>();
  QObject::connect(unexpectedDialogs_.get(), &QTimer::timeout, [this] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    const bool awaited = std::ranges::any_of(
        dialogWatchers_, [](const auto& watcher) { return watcher->isActive(); });
    if (!box || awaited || box != unexpectedSeen_) {
      unexpectedSeen_ = awaited ? nullptr : box;
      return;
    }
    unexpectedSeen_ = nullptr;
    DialogRecord seen;
    RecordAndDismiss(*box, seen);
    if (seen.buttons.isEmpty())
      box->reject();
    ADD_FAILURE() << "an unexpected modal dialog: title \"" << seen.title.toStdString()
                  << "\", text \"" << seen.text.toStdString() << "\", informative text \""
                  << seen.informativeText.toStdString() << '"';
  });
  unexpectedDialogs_->start(50);
}

void AppTest::setToday(int year, int month, int day) {
  platform::testing::SetToday(year, month, day);
}

}  // namespace apptest
