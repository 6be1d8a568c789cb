// The keyboard: Roman input for the focused field, and a key-state map kept from the key events
// the layer dispatches (asking the X server is unreliable for synthetic and fast key events).
#include "platform/keyboard.h"

#include <QApplication>
#include <QKeyEvent>
#include <algorithm>
#include <array>
#include <string>

#include "platform/internal.h"
#include "platform/native_impl.h"

namespace platform {
namespace {

constexpr std::int32_t kRomanScript = -17;

std::array<std::uint8_t, 16> keyMap{};

void SetKey(int code, bool down) {
  const auto bit = static_cast<std::uint8_t>(1u << (code & 7));
  std::uint8_t& byte = keyMap[static_cast<std::size_t>(code / 8)];
  byte = down ? byte | bit : byte & ~bit;
}

// A modifier key's own press or release tells its state (X11 reports the modifiers as they were
// before the event); every other key event carries the modifiers held.
struct ModifierKey {
  Qt::Key key;
  Qt::KeyboardModifier modifier;
  int code;
};
constexpr ModifierKey kModifierKeys[] = {
    {Qt::Key_Meta, Qt::MetaModifier, 55},
    {Qt::Key_Shift, Qt::ShiftModifier, 56},
    {Qt::Key_Alt, Qt::AltModifier, 58},
    {Qt::Key_Control, Qt::ControlModifier, 59},
};

void Record(const QKeyEvent& event) {
  const bool press = event.type() == QEvent::KeyPress;
  for (const auto& [key, modifier, code] : kModifierKeys) {
    SetKey(code, event.key() == key ? press : event.modifiers().testFlag(modifier));
  }
}

class KeyStateFilter final : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
        Record(static_cast<const QKeyEvent&>(*event));
        break;
      case QEvent::WindowDeactivate:  // releases outside our windows are never seen
        keyMap.fill(0);
        break;
      default:
        break;
    }
    return QObject::eventFilter(watched, event);
  }
};

}  // namespace

void internal::InstallKeyStateFilter() {
  qApp->installEventFilter(new KeyStateFilter(qApp));  // owned and removed by the toolkit
}

void GetKeys(MemoryBlock& map) {
  if (map.Size() < static_cast<std::int32_t>(keyMap.size())) {
    throw OutOfBoundsException("GetKeys needs a block of 16 bytes, not " +
                               std::to_string(map.Size()));
  }
  std::ranges::copy(keyMap, map.Data());
}

// With no text field focused there is no input to switch.
void KeyScript(std::int32_t code) {
  if (code != kRomanScript) {
    throw UnsupportedOperationException("KeyScript " + std::to_string(code) +
                                        " is not supported; -17 (the Roman script) is");
  }
  if (auto* field = dynamic_cast<FieldEdit*>(QApplication::focusWidget())) {
    field->SelectRomanScript();
  }
}

}  // namespace platform
