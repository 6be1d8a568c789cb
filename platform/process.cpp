// What the process needs before the toolkit can start, and the toolkit's own start: standard
// streams, broken pipes, free file descriptors and a display that cannot be opened.
#include <fcntl.h>
#include <sys/resource.h>

#include <QApplication>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/internal.h"
#include "platform/runtime.h"

namespace platform {
namespace {

bool IsOpen(int descriptor) {
  return ::fcntl(descriptor, F_GETFD) != -1 || errno != EBADF;
}

// A program started with a standard stream closed (from cron, some launchers) would have the
// toolkit's X connection opened as descriptor 2, and every warning written into it.
void OpenStandardStreams() {
  for (int stream = 0; stream <= 2; ++stream) {
    if (!IsOpen(stream) && ::open("/dev/null", O_RDWR) != stream) {
      throw RuntimeException("the closed standard stream " + std::to_string(stream) +
                             " cannot be opened on /dev/null");
    }
  }
}

// A report or a warning written into a pipe whose reader has gone fails; it must not end the
// process with SIGPIPE in place of its own exit code.
void IgnoreBrokenPipes() {
  std::signal(SIGPIPE, SIG_IGN);
}

// The toolkit opens about ten descriptors before the program runs (the X connection, a wake-up
// for each thread's event loop, fonts and plug-ins while they load). Where they run out, its own
// threads abort or hang, out of reach of any handler; so too few free ones are refused before it
// starts. 29 is what a limit of 32 leaves beside the standard streams.
constexpr int kFewestFreeDescriptors = 29;

void RequireFreeDescriptors() {
  struct rlimit limit {};
  if (::getrlimit(RLIMIT_NOFILE, &limit) != 0) {
    return;  // no limit to go by
  }
  int free = 0;
  for (rlim_t descriptor = 0; descriptor < limit.rlim_cur && free < kFewestFreeDescriptors;
       ++descriptor) {
    free += IsOpen(static_cast<int>(descriptor)) ? 0 : 1;
  }
  if (free < kFewestFreeDescriptors) {
    throw RuntimeException(
        std::to_string(free) + " of a limit of " + std::to_string(limit.rlim_cur) +
        " open files are free: the toolkit needs " + std::to_string(kFewestFreeDescriptors));
  }
}

// ---- No display ---------------------------------------------------------------------------
// Qt reports a display it cannot open (none named, one that nobody serves, an unknown
// platform plug-in) as a fatal message, advises a reinstall and aborts. While it starts, its
// messages are held back: a fatal one becomes the program's one-line report and exit code 1;
// the others are passed on as Qt gave them once it has started, or at once where Qt is told to
// abort on them.

// A context's texts, null where Qt gave none: its output tells null from empty.
using Copied = std::optional<std::string>;

Copied Copy(const char* text) {
  return text ? Copied(text) : std::nullopt;
}

const char* Given(const Copied& text) {
  return text ? text->c_str() : nullptr;
}

struct HeldMessage {
  QtMsgType type;
  Copied category, file, function;
  int line;
  QString text;
};

std::vector<HeldMessage> held;
QtMessageHandler passOnTo = nullptr;  // the handler that was installed before ours
QString triedPlatform, triedDisplay;  // as the command line or the environment name them

QString Tried(int argc, char** argv, const char* option, const char* variable) {
  for (int i = 1; i + 1 < argc; ++i) {
    if (qstrcmp(argv[i], option) == 0 || (argv[i][0] == '-' && qstrcmp(argv[i] + 1, option) == 0)) {
      return QString::fromLocal8Bit(argv[i + 1]);
    }
  }
  return qEnvironmentVariable(variable);
}

String NoDisplay() {
  if (!triedPlatform.isEmpty() && !triedPlatform.startsWith(u"xcb")) {
    return "no display could be opened: the platform \"" + triedPlatform.toStdString() +
           "\" could not be started";
  }
  if (triedDisplay.isEmpty()) {
    return "no display could be opened: DISPLAY is not set";
  }
  return "no display could be opened at DISPLAY=" + triedDisplay.toStdString();
}

void PassOnHeldMessages() {
  for (const HeldMessage& m : std::exchange(held, {})) {
    const QMessageLogContext context(Given(m.file), m.line, Given(m.function), Given(m.category));
    passOnTo(m.type, context, m.text);
  }
}

// Qt aborts as soon as the handler returns from a warning under QT_FATAL_WARNINGS or a critical
// under QT_FATAL_CRITICALS (a count N: the Nth one; 0 or empty: none).
bool MayAbortOn(QtMsgType type) {
  const char* variable = type == QtWarningMsg    ? "QT_FATAL_WARNINGS"
                         : type == QtCriticalMsg ? "QT_FATAL_CRITICALS"
                                                 : nullptr;
  if (!variable) {
    return false;
  }
  const QByteArray value = qgetenv(variable);
  bool number = false;
  const int count = value.toInt(&number, 0);
  return !value.isEmpty() && (!number || count > 0);
}

void HoldMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type == QtFatalMsg) {
    _UnhandledException(std::make_exception_ptr(RuntimeException(NoDisplay())));
    std::_Exit(1);  // nothing is set up yet that would need taking down
  }
  held.push_back({type, Copy(context.category), Copy(context.file), Copy(context.function),
                  context.line, text});
  if (MayAbortOn(type)) {
    PassOnHeldMessages();
  }
}

}  // namespace

QApplication* internal::StartProcessAndToolkit(int& argc, char** argv) {
  OpenStandardStreams();
  IgnoreBrokenPipes();
  RequireFreeDescriptors();
  triedPlatform = Tried(argc, argv, "-platform", "QT_QPA_PLATFORM");
  triedDisplay = Tried(argc, argv, "-display", "DISPLAY");
  passOnTo = qInstallMessageHandler(&HoldMessage);
  auto* toolkit = new QApplication(argc, argv);
  qInstallMessageHandler(passOnTo);
  PassOnHeldMessages();
  return toolkit;
}

}  // namespace platform
