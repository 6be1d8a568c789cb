// Launches a program, reports how long it took until its window (found by title) was mapped, lets
// it settle, kills it and reports its peak resident set size (the figure `time -v` prints).
//
//   startup_probe TITLE SETTLE_MS PROGRAM [ARGS...]
//
// Prints "<milliseconds to map> <peak RSS in KiB>". It waits for MapNotify events on the root
// window rather than polling, so the time is not rounded up to a polling period. Run it on a
// display with no window manager: a managed window is mapped inside its frame, not on the root.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kMapTimeout = std::chrono::seconds(10);
constexpr int kPollMs = 20;

struct Options {
  std::string title;
  std::chrono::milliseconds settle;
  char** command;
};

Options ParseOptions(int argc, char** argv) {
  if (argc < 4) {
    throw std::invalid_argument("usage: startup_probe TITLE SETTLE_MS PROGRAM [ARGS...]");
  }
  char* end = nullptr;
  const long settle = std::strtol(argv[2], &end, 10);
  if (*end != '\0' || settle < 0) {
    throw std::invalid_argument(std::string("SETTLE_MS is not a count of milliseconds: ") +
                                argv[2]);
  }
  return {argv[1], std::chrono::milliseconds(settle), argv + 3};
}

// _NET_WM_NAME (UTF-8, what Qt writes) or else WM_NAME.
std::string WindowTitle(Display* display, Window window) {
  const Atom netWmName = XInternAtom(display, "_NET_WM_NAME", False);
  const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long rest = 0;
  unsigned char* data = nullptr;
  std::string title;
  if (XGetWindowProperty(display, window, netWmName, 0, 1024, False, utf8, &type, &format, &count,
                         &rest, &data) == Success &&
      data != nullptr) {
    title.assign(reinterpret_cast<const char*>(data), count);
    XFree(data);
    return title;
  }
  char* name = nullptr;
  if (XFetchName(display, window, &name) != 0 && name != nullptr) {
    title = name;
    XFree(name);
  }
  return title;
}

pid_t Launch(char** command) {
  const pid_t pid = fork();
  if (pid < 0) {
    throw std::runtime_error("fork failed");
  }
  if (pid == 0) {
    execvp(command[0], command);
    std::perror(command[0]);
    _exit(127);
  }
  return pid;
}

void FailIfExited(pid_t pid, const char* program) {
  int status = 0;
  if (waitpid(pid, &status, WNOHANG) == pid) {
    throw std::runtime_error(std::string(program) + " ended before it was measured (status " +
                             std::to_string(status) + ")");
  }
}

// Returns once a top-level window titled `title` is mapped; fails when the program ends first or
// nothing is mapped in time.
void AwaitMappedWindow(Display* display, const std::string& title, pid_t pid, const char* program) {
  const auto deadline = Clock::now() + kMapTimeout;
  pollfd connection{ConnectionNumber(display), POLLIN, 0};
  while (Clock::now() < deadline) {
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == MapNotify && WindowTitle(display, event.xmap.window) == title) {
        return;
      }
    }
    FailIfExited(pid, program);
    poll(&connection, 1, kPollMs);
  }
  throw std::runtime_error(std::string("no window titled \"") + title + "\" was mapped in time");
}

long KillAndReadPeakRss(pid_t pid) {
  kill(pid, SIGKILL);
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) != pid) {
    throw std::runtime_error("lost the launched program");
  }
  return usage.ru_maxrss;
}

}  // namespace

int main(int argc, char** argv) {
  pid_t pid = -1;
  try {
    const Options options = ParseOptions(argc, argv);
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
      throw std::runtime_error("cannot open the display (is DISPLAY set?)");
    }
    fcntl(ConnectionNumber(display), F_SETFD, FD_CLOEXEC);
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    const auto start = Clock::now();
    pid = Launch(options.command);
    AwaitMappedWindow(display, options.title, pid, options.command[0]);
    const std::chrono::duration<double, std::milli> toMap = Clock::now() - start;

    std::this_thread::sleep_for(options.settle);
    FailIfExited(pid, options.command[0]);
    const long peakKib = KillAndReadPeakRss(pid);
    pid = -1;
    std::printf("%.1f %ld\n", toMap.count(), peakKib);
    XCloseDisplay(display);
    return 0;
  } catch (const std::exception& error) {
    if (pid > 0) {
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
    }
    std::fprintf(stderr, "startup_probe: %s\n", error.what());
    return 1;
  }
}
