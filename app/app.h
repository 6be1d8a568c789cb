// The application object and the application's one file type.
#pragma once

#include <string_view>

#include "platform/application.h"
#include "platform/runtime.h"

namespace app {

class App : public platform::Application {
 public:
  static constexpr std::string_view kClassName = "App";
  const platform::ClassTable& ClassInfo() const override;
  static const platform::ClassTable& __Lookup();

  void Event_Close() override;
  void Constructor();
};

namespace FileTypes {
// The document type "text": declared at start-up, released at shut-down; nothing opens it.
inline platform::Ref<platform::FileType> pText;
void _Initialize();
void pText__Exit();
}  // namespace FileTypes

}  // namespace app
