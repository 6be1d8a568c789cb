#include "platform/object.h"

#include "platform/runtime.h"

namespace platform {

const ClassTable& Object::__Lookup() {
  static const ClassTable& table = RuntimeRegisterClass({.name = "Object"});
  return table;
}

const ClassTable& Object::ClassInfo() const {
  return __Lookup();
}

String ClassNameOf(const Object& object) {
  return object.ClassInfo().name;
}

}  // namespace platform
