#include "app/startup.h"

#include "app/app.h"
#include "app/menubar1.h"
#include "app/window1.h"
#include "platform/runtime.h"

namespace app {

int main(int argc, char** argv) {
  platform::RuntimeInit(argc, argv);
  initialize();
  _Main();
  finalize();
  return platform::RuntimeExit();
}

void initialize() {
  platform::_InitFrameworkClasses();
  Window1::__Lookup();
  MenuBar1::__Lookup();
  App::__Lookup();
}

void _Main() {
  try {
    platform::_RuntimeSetExceptionHelper(_CallFunctionWithExceptionHandling);
    platform::_RunFrameworkInitialization(platform::RuntimeCreateDelegate(_Startup, "(  )"));
    platform::_RuntimeRun();
  } catch (...) {
    // Whatever escaped start-up or the event loop is reported once; shut-down still runs.
    platform::_UnhandledException(std::current_exception());
  }
}

void finalize() {
  platform::_FinalizeFramework();
  FileTypes::pText__Exit();
  implicit::MenuBar1__Exit();
}

void _Startup() {
  platform::_RuntimeInitExternalClasses();
  platform::_InitPluginEntrypoints(0);
  _InitFileTypes();
  _NewAppInstance();
  _ApplicationAddMenuHandlers();
  _MakeDefaultView();
}

void _InitFileTypes() {
  FileTypes::_Initialize();
}

void _NewAppInstance() {
  const platform::Ref<App> application = platform::New<App>();
  application->Constructor();
  application->SetMenuBar(implicit::MenuBar1());
  // From here the framework's registration is what keeps the application object.
  platform::_RuntimeRegisterAppObject(application);
}

// The application object has no menu handlers of its own; the window binds its own.
void _ApplicationAddMenuHandlers() {}

void _MakeDefaultView() {
  implicit::Window1();
}

std::exception_ptr _CallFunctionWithExceptionHandling(const std::function<void()>& call) {
  try {
    call();
  } catch (const platform::RuntimeException&) {
    return std::current_exception();
  }
  return nullptr;
}

}  // namespace app
