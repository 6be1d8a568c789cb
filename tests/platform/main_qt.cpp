// Runs the framework's in-process tests on Qt's offscreen platform, in one QApplication.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QtGlobal>

#include "platform/runtime.h"
#include "tests/signals.h"

int main(int argc, char** argv) {
  // Test discovery runs this binary at build time, where there may be no display.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  // Qt runs threads of its own: death tests must start a fresh process, not fork this one.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  testsignals::RuntimeInitKeepingSignals(argc, argv);  // ends on SIGTERM like any program
  const int result = RUN_ALL_TESTS();
  platform::_FinalizeFramework();
  platform::RuntimeExit();  // the tests' verdict, not the framework's exit code, is the result
  return result;
}
