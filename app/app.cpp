#include "app/app.h"

namespace app {

namespace {

platform::ClassTable MakeAppTable() {
  const platform::Attribute kPublic{"__Scope", "Public"};
  return {
      .name = platform::String(App::kClassName),
      .parent = &platform::Application::__Lookup(),
      .attributes = {},
      .methods = {{"Event_Close", "(  )", {kPublic}}, {"Constructor", "(  )", {kPublic}}},
      .events = {},
      .eventHooks = {{"Close", "Event_Close"}},
  };
}

}  // namespace

const platform::ClassTable& App::__Lookup() {
  static const platform::ClassTable& table = platform::RuntimeRegisterClass(MakeAppTable());
  return table;
}

const platform::ClassTable& App::ClassInfo() const {
  return __Lookup();
}

void App::Event_Close() {
  platform::Quit(0);
}

void App::Constructor() {}

namespace FileTypes {

void _Initialize() {
  pText = platform::New<platform::FileType>();
  pText->SetName("text");
  pText->SetExtensions("");
  pText->SetMacType("TEXT");
  pText->SetMacCreator("R*ch");
  // Converting to text is what registers the type with the framework.
  (void)static_cast<platform::String>(*pText);
}

void pText__Exit() {
  pText = nullptr;
}

}  // namespace FileTypes

}  // namespace app
