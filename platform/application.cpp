// The application object: the framework's registration keeps it until the process ends.
#include "platform/application.h"

#include "platform/internal.h"

namespace platform {
namespace {

Ref<Application>& AppObject() {
  static Ref<Application> app;
  return app;
}

}  // namespace

void _RuntimeRegisterAppObject(const Ref<Application>& app) {
  if (!app) {
    throw NilObjectException("a nil application object was registered");
  }
  AppObject() = app;
}

Ref<Application> RuntimeAppObject() {
  return AppObject();
}

namespace internal {

void RaiseApplicationClose() {
  const Ref<Application> app = AppObject();
  if (!app) {
    return;
  }
  Dispatch([&app] {
    app->Event_Close();
    return false;
  });
}

}  // namespace internal
}  // namespace platform
