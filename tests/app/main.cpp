#include <gtest/gtest.h>

#include <QByteArray>

#include "app/startup.h"
#include "platform/runtime.h"
#include "tests/signals.h"

int main(int argc, char** argv) {
  // No display needed: the window is real but drawn off screen.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  testsignals::RuntimeInitKeepingSignals(argc, argv);  // ends on SIGTERM like any program
  app::initialize();
  const int result = RUN_ALL_TESTS();
  platform::RuntimeExit();
  return result;
}
