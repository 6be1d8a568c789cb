// SIGTERM and SIGINT in the test binaries. RuntimeInit bridges both to the application's Close
// event, on which no test's loop acts; a test binary must still end on them (a plain `timeout`,
// Ctrl+C). So the test mains put back the dispositions the binary started with once RuntimeInit
// has run, and keep the bridge's for the test of the bridge itself.
#pragma once

#include <csignal>

#include "platform/runtime.h"

namespace testsignals {

// The dispositions of SIGTERM and SIGINT at one moment.
struct Dispositions {
  struct sigaction term {};
  struct sigaction interrupt {};

  static Dispositions Now() {
    Dispositions now;
    ::sigaction(SIGTERM, nullptr, &now.term);
    ::sigaction(SIGINT, nullptr, &now.interrupt);
    return now;
  }
  // Puts these in force; returns the ones they replace.
  Dispositions Install() const {
    Dispositions replaced;
    ::sigaction(SIGTERM, &term, &replaced.term);
    ::sigaction(SIGINT, &interrupt, &replaced.interrupt);
    return replaced;
  }
};

// The bridge's dispositions, as RuntimeInit installed them.
inline Dispositions bridge;

// RuntimeInit for a test main. The signals start at their defaults, so that the bridge takes both
// however the binary was started; afterwards the binary's own dispositions are back in force.
inline void RuntimeInitKeepingSignals(int& argc, char** argv) {
  struct sigaction standard {};
  standard.sa_handler = SIG_DFL;
  sigemptyset(&standard.sa_mask);
  const Dispositions inherited = Dispositions{standard, standard}.Install();
  platform::RuntimeInit(argc, argv);
  bridge = inherited.Install();
}

// While one lives, the bridge takes SIGTERM and SIGINT again.
class BridgeInstalled {
 public:
  BridgeInstalled() : outside_(bridge.Install()) {}
  ~BridgeInstalled() { outside_.Install(); }
  BridgeInstalled(const BridgeInstalled&) = delete;
  BridgeInstalled& operator=(const BridgeInstalled&) = delete;

 private:
  Dispositions outside_;
};

}  // namespace testsignals
