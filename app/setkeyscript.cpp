// Keyboard and caution-dialog helpers shared by the window's handlers.
#include "app/setkeyscript.h"

#include <cstdint>

#include "platform/dialog.h"
#include "platform/keyboard.h"
#include "platform/runtime.h"

namespace app {

namespace {
constexpr std::int32_t kKeyMapBytes = 16;  // 128 keys, one bit each
constexpr std::int32_t kCautionIcon = 1;
}  // namespace

void SetKeyScript(std::int32_t code) {
  platform::KeyScript(code);
}

bool CheckKeyDown(std::int32_t keyCode) {
  auto map = platform::New<platform::MemoryBlock>(kKeyMapBytes);
  platform::GetKeys(*map);
  const auto index = static_cast<std::int32_t>(keyCode / 8.0);
  const auto mask = static_cast<std::uint64_t>(
      platform::Pow(2.0, static_cast<double>(platform::BitwiseAnd(keyCode, 7))));
  return platform::BitwiseAnd(map->Byte(index), mask) != 0;
}

void DispMsgbox1(const String& message, const String& explanation) {
  auto dialog = platform::New<platform::MessageDialog>();
  dialog->SetIcon(kCautionIcon);
  dialog->ActionButton()->SetCaption("OK");
  dialog->SetMessage(message);
  dialog->SetExplanation(explanation);
  dialog->SetTitle("注意");
  dialog->ShowModal();
}

}  // namespace app
