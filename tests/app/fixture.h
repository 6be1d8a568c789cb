// The application started in-process, its window shown and active, for tests that drive the
// real widgets. Each test gets a fresh start-up and a full shut-down.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <memory>
#include <ostream>
#include <vector>

#include "app/window1.h"

// Failure messages show texts, not UTF-16 code units.
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

namespace apptest {

// What the dialog helper saw of the one modal message box it dismissed.
struct DialogRecord {
  bool shown = false;
  QString title, text, informativeText;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QStringList buttons;  // button texts, in the box's order
};
// Filled when the box appears (inside its modal loop), so read it after the action returns.
using DialogSeen = std::shared_ptr<const DialogRecord>;

class AppTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The main window of this test's start-up.
  platform::Ref<app::Window1> window() const;
  // The widget of the control registered under that name; fails the test when there is none.
  QWidget* widget(const char* name) const;
  // The year (1), month (2) or day (3) field.
  QLineEdit* field(int n) const;
  QLabel* label(const char* name) const;
  QPushButton* button(const char* name) const;
  // The window's menu item of that menu title and text; fails the test when there is none.
  QAction* menuAction(const QString& menu, const QString& item) const;

  // Keyboard and mouse as the user gives them (ASCII text only, as QTest requires).
  void type(QWidget* target, const QString& digitsOrAscii);
  void press(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers = {});
  void click(QWidget* target);

  // Arms a watcher that dismisses the next modal message box with its (one) button and records
  // it. Call before the action that should show the box; `shown` stays false when none came.
  // A box that no test expects fails the test with what it said, and is dismissed.
  DialogSeen expectDialog();

  // Fixes today's date for the age calculation (reset at TearDown).
  void setToday(int year, int month, int day);
  // How often the bell rang since SetUp.
  int beeps() const { return *beeps_; }

 private:
  void failOnUnexpectedDialogs();

  std::shared_ptr<int> beeps_ = std::make_shared<int>(0);
  std::vector<std::unique_ptr<QTimer>> dialogWatchers_;
  std::unique_ptr<QTimer> unexpectedDialogs_;
  QPointer<QMessageBox> unexpectedSeen_;  // seen at the last look, awaited by no watcher
};

}  // namespace apptest

using apptest::AppTest;
using apptest::DialogSeen;
