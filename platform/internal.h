// What the layer's own parts share with each other. Not for application code.
#pragma once

#include <functional>
#include <string_view>

class QApplication;

namespace platform::internal {

// process.cpp: readies the process (standard streams, broken pipes, free file descriptors) and
// starts the toolkit. A failure throws RuntimeException; a display that cannot be opened is
// reported on the spot and ends the process with code 1.
QApplication* StartProcessAndToolkit(int& argc, char** argv);

// Calls a handler the way the framework calls all application code: through the installed
// exception helper. An exception that comes back (or any other that escapes) is kept; it ends
// the event loop and _RuntimeRun rethrows it. Without a running loop it stays pending
// (testing::TakePendingException). Returns the handler's result, false after an exception.
bool Dispatch(const std::function<bool()>& call);

// Throws UnsupportedOperationException, naming the call, before RuntimeInit or after RuntimeExit.
void RequireToolkit(std::string_view call);

// Raises the application object's Close event (through Dispatch); nothing without one.
void RaiseApplicationClose();

// window.cpp: forgets every open window and the implicit-window list (_FinalizeFramework).
void ReleaseWindows();

// keyboard.cpp: installs the application-wide filter that keeps the key-state map (RuntimeInit).
void InstallKeyStateFilter();

}  // namespace platform::internal
