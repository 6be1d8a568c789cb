// Delegates and the binding of event handlers by event number.
#include <string>

#include "platform/controls.h"
#include "platform/runtime.h"

namespace platform {
namespace {

[[noreturn]] void ThrowMismatch(const String& given, const String& expected,
                                const String& expectedBy) {
  throw DelegateSignatureException("delegate signature \"" + given + "\" does not match \"" +
                                   expected + "\" of " + expectedBy);
}

}  // namespace

Delegate::Delegate(String signature, Function function)
    : signature_(std::move(signature)), function_(std::move(function)) {
  if (!function_) {
    throw NilObjectException("delegate \"" + signature_ + "\" has no target");
  }
}

namespace detail {

void CheckSignature(const String& given, const String& expected) {
  if (given != expected) {
    ThrowMismatch(given, expected, "its method");
  }
}

}  // namespace detail

Delegate RuntimeCreateDelegate(void (*function)(), String signature) {
  if (function == nullptr) {
    throw NilObjectException("delegate \"" + signature + "\" of a nil function");
  }
  detail::CheckSignature(signature, detail::SignatureOf<void>());
  return Delegate(std::move(signature), [function](const EventArgs&) {
    function();
    return false;
  });
}

void RuntimeAddEventHandler(const Ref<Object>& object, std::int32_t eventNumber, Delegate handler) {
  const ClassTable& table = object->ClassInfo();
  const EventInfo* event = RuntimeFindEvent(table, eventNumber);
  if (event == nullptr) {
    throw EventBindingException("class " + table.name + " has no event number " +
                                std::to_string(eventNumber));
  }
  if (handler.Signature() != event->signature) {
    ThrowMismatch(handler.Signature(), event->signature,
                  "event " + event->name + " of class " + table.name);
  }
  RuntimeCheckCast<Control>(object)->AddEventHandler(eventNumber, std::move(handler));
}

}  // namespace platform
