#include <gtest/gtest.h>

#include <QByteArray>

#include "app/startup.h"
#include "platform/runtime.h"

int main(int argc, char** argv) {
  // No display needed: the window is real but drawn off screen.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  platform::RuntimeInit(argc, argv);
  app::initialize();
  const int result = RUN_ALL_TESTS();
  platform::RuntimeExit();
  return result;
}
