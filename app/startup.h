// The life of the process: entry, class tables, start-up, event loop, finalisation.
#pragma once

#include <exception>
#include <functional>

namespace app {

// The process entry: RuntimeInit, initialize, _Main, finalize, RuntimeExit (the exit code).
int main(int argc, char** argv);
// Builds every class table once: the framework's, then Window1, MenuBar1, App.
void initialize();
// Installs the exception helper, runs the framework's initialisation with _Startup, then the
// event loop; reports whatever escapes.
void _Main();
// Releases module state: the framework's, then the file type, then the menu bar instance.
void finalize();

// The start-up steps, called once by the framework's initialisation.
void _Startup();
void _InitFileTypes();
void _NewAppInstance();
void _ApplicationAddMenuHandlers();
void _MakeDefaultView();

// The exception helper: calls `call`; returns the RuntimeException it raised, or nullptr.
std::exception_ptr _CallFunctionWithExceptionHandling(const std::function<void()>& call);

}  // namespace app
