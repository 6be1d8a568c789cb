// The life of the process: the toolkit, the event loop, quitting, and exceptions that escape
// application code.
#include "platform/runtime.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QFont>
#include <QPalette>
#include <QProxyStyle>
#include <QSocketNotifier>
#include <QStyleFactory>
#include <algorithm>
#include <array>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <utility>

#include "platform/internal.h"
#include "platform/testing.h"

namespace platform {
namespace {

struct Process {
  QApplication* toolkit = nullptr;   // owned; deleted by RuntimeExit, never at static exit
  ExceptionHelper helper = nullptr;  // none: Dispatch catches on its own
  std::exception_ptr pending;
  bool loopRunning = false;
  bool quitRequested = false;
  std::int32_t quitCode = 0;
  bool failed = false;  // an unhandled exception was reported
};

Process& State() {
  static Process process;
  return process;
}

// ---- SIGTERM and SIGINT -------------------------------------------------------------------
// The handler only writes a byte to a socket; the event loop reads it and raises the
// application's Close event there, where application code may run. A signal that was ignored when
// the process started (nohup, a background job of a shell) is left ignored.

constexpr std::array kTerminationSignals{SIGTERM, SIGINT};

volatile std::sig_atomic_t signalWriteEnd = -1;
int signalReadEnd = -1;
// The disposition each bridged signal had before; none for a signal left alone.
std::array<std::optional<struct sigaction>, kTerminationSignals.size()> previousActions{};

extern "C" void OnTerminationSignal(int) {
  const int savedErrno = errno;
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = ::write(signalWriteEnd, &byte, 1);
  errno = savedErrno;
}

void DrainSignalSocket() {
  char bytes[64];
  while (::read(signalReadEnd, bytes, sizeof bytes) > 0) {
  }
  internal::RaiseApplicationClose();
}

void InstallSignalBridge(QObject* owner) {
  int ends[2];
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, ends) != 0) {
    throw RuntimeException(String("cannot create the signal socket: ") + std::strerror(errno));
  }
  signalReadEnd = ends[0];
  signalWriteEnd = ends[1];
  auto* notifier = new QSocketNotifier(signalReadEnd, QSocketNotifier::Read, owner);
  QObject::connect(notifier, &QSocketNotifier::activated, owner, &DrainSignalSocket);

  struct sigaction action {};
  action.sa_handler = &OnTerminationSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (std::size_t i = 0; i < kTerminationSignals.size(); ++i) {
    struct sigaction previous {};
    ::sigaction(kTerminationSignals[i], nullptr, &previous);
    if (!(previous.sa_flags & SA_SIGINFO) && previous.sa_handler == SIG_IGN) {
      continue;
    }
    ::sigaction(kTerminationSignals[i], &action, nullptr);
    previousActions[i] = previous;
  }
}

// Undoes whatever part of InstallSignalBridge was done.
void RemoveSignalBridge() {
  for (std::size_t i = 0; i < kTerminationSignals.size(); ++i) {
    if (const auto previous = std::exchange(previousActions[i], std::nullopt)) {
      ::sigaction(kTerminationSignals[i], &*previous, nullptr);
    }
  }
  for (const int end : {static_cast<int>(signalWriteEnd), signalReadEnd}) {
    if (end >= 0) {
      ::close(end);
    }
  }
  signalWriteEnd = -1;
  signalReadEnd = -1;
}

// An exception from a handler: the first one ends the loop and is rethrown by _RuntimeRun;
// any that follow before it is taken are reported on their own.
void Keep(std::exception_ptr exception) {
  Process& state = State();
  if (state.pending) {
    _UnhandledException(exception);
    return;
  }
  state.pending = std::move(exception);
  if (state.loopRunning) {
    QCoreApplication::exit(1);
  }
}

// The window has no mnemonics, and Alt alone means nothing to it. With this hint Qt would put the
// menu bar into keyboard navigation on Alt alone, or on Escape out of a menu opened by a click;
// this look does not draw that state, and the keys typed next would go nowhere.
class NoAltNavigation final : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* data) const override {
    return hint == SH_MenuBar_AltKeyNavigation ? 0
                                               : QProxyStyle::styleHint(hint, option, widget, data);
  }
};

// The designs were drawn on a light window with black text, which a dark desktop scheme would
// leave on dark grey. One light palette, every colour set so that none comes from the desktop's
// scheme: windows, fields, menus and dialogs agree.
void UseLightLook() {
  // Owned by the application, the proxy and its base alike.
  QApplication::setStyle(new NoAltNavigation(QStyleFactory::create("Fusion")));
  QPalette light(QColor(239, 239, 239));  // the window and buttons; the rest follows from it
  light.setColor(QPalette::Highlight, QColor(48, 140, 198));
  light.setColor(QPalette::HighlightedText, Qt::white);
  QApplication::setPalette(light);
}

// The toolkit, and the look, fonts and signals the program expects of it.
void StartToolkit(Process& state, int& argc, char** argv) {
  state.toolkit = internal::StartProcessAndToolkit(argc, argv);
  // The framework ends the loop itself when the last window closes (NativeWindow::Closed).
  QApplication::setQuitOnLastWindowClosed(false);
  UseLightLook();
  // Designs name the Mac's Japanese face; IPAGothic is Debian's. It is also the face of menus,
  // dialogs and new controls: the program speaks Japanese, and one face loads faster than two.
  QFont::insertSubstitution("Osaka", "IPAGothic");
  QFont standard = QApplication::font();
  standard.setFamilies({"IPAGothic"});
  QApplication::setFont(standard);
  internal::InstallKeyStateFilter();
  InstallSignalBridge(state.toolkit);
}

String DescribeException(const std::exception_ptr& exception) {
  try {
    if (exception) {
      std::rethrow_exception(exception);
    }
  } catch (const RuntimeException& e) {
    return String(e.ClassName()) + ": " + e.what();
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
  }
  return {};
}

}  // namespace

void RuntimeInit(int& argc, char** argv) {
  Process& state = State();
  if (state.toolkit != nullptr) {
    throw UnsupportedOperationException("RuntimeInit has already run");
  }
  try {
    StartToolkit(state, argc, argv);
  } catch (...) {
    // Nothing can run without the runtime, and the program has no handler yet that could take
    // the failure (too few file descriptors, say): it is reported like any unhandled exception,
    // what was set up is taken down, and the process ends with code 1.
    _UnhandledException(std::current_exception());
    std::exit(RuntimeExit());
  }
}

int RuntimeExit() {
  Process& state = State();
  if (state.toolkit != nullptr) {
    RemoveSignalBridge();
    delete std::exchange(state.toolkit, nullptr);
  }
  return state.failed ? 1 : state.quitCode;
}

void _RuntimeSetExceptionHelper(ExceptionHelper helper) {
  State().helper = helper;
}

void _RunFrameworkInitialization(const Delegate& startup) {
  internal::RequireToolkit("_RunFrameworkInitialization");
  detail::CheckSignature(startup.Signature(), detail::SignatureOf<void>());
  _InitFrameworkClasses();
  startup({});
}

void _RuntimeInitExternalClasses() {}

void _InitPluginEntrypoints(std::int32_t count) {
  if (count < 0) {
    throw UnsupportedOperationException("a plug-in table of " + std::to_string(count) + " entries");
  }
}

void _RuntimeRun() {
  internal::RequireToolkit("_RuntimeRun");
  Process& state = State();
  if (!state.pending && !state.quitRequested) {
    state.loopRunning = true;
    QApplication::exec();
    state.loopRunning = false;
  }
  if (state.pending) {
    std::rethrow_exception(std::exchange(state.pending, nullptr));
  }
}

void Quit(std::int32_t code) {
  Process& state = State();
  state.quitRequested = true;
  state.quitCode = code;
  // Only a running loop is told: an exit asked with no loop would end the next one at once.
  if (state.loopRunning) {
    QCoreApplication::exit(code);
  }
}

void _UnhandledException(std::exception_ptr exception) {
  String line = "Unhandled exception";
  if (const String description = DescribeException(exception); !description.empty()) {
    line += ": " + description;
  }
  std::replace(line.begin(), line.end(), '\n', ' ');  // one report, one line
  line += '\n';
  std::fputs(line.c_str(), stderr);
  std::fflush(stderr);
  State().failed = true;
}

void _FinalizeFramework() {
  internal::ReleaseWindows();
}

namespace internal {

void RequireToolkit(std::string_view call) {
  if (State().toolkit == nullptr) {
    throw UnsupportedOperationException(String(call) + " needs RuntimeInit first");
  }
}

bool Dispatch(const std::function<bool()>& call) {
  bool result = false;
  std::exception_ptr raised;
  try {
    if (ExceptionHelper helper = State().helper) {
      raised = helper([&] { result = call(); });
    } else {
      result = call();
    }
  } catch (...) {
    raised = std::current_exception();
  }
  if (!raised) {
    return result;
  }
  Keep(std::move(raised));
  return false;
}

}  // namespace internal

namespace testing {

std::exception_ptr TakePendingException() {
  return std::exchange(State().pending, nullptr);
}

bool QuitRequested() {
  return State().quitRequested;
}

std::int32_t QuitCode() {
  return State().quitCode;
}

void ResetQuit() {
  State().quitRequested = false;
  State().quitCode = 0;
}

}  // namespace testing
}  // namespace platform
