// Reference-counted objects, the runtime's exceptions and the class-testing cast.
#pragma once

#include <concepts>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>

#include "platform/text.h"

namespace platform {

struct ClassTable;

// Base of every exception that the framework raises and the application may meet.
class RuntimeException : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
  // The exception's class name as the unhandled-exception report shows it.
  virtual const char* ClassName() const noexcept { return "RuntimeException"; }
};

#define PLATFORM_DECLARE_EXCEPTION(Name)                                    \
  class Name : public RuntimeException {                                    \
   public:                                                                  \
    using RuntimeException::RuntimeException;                               \
    const char* ClassName() const noexcept override { return #Name; }       \
  }

// A nil object was used.
PLATFORM_DECLARE_EXCEPTION(NilObjectException);
// RuntimeCheckCast met an object of another class.
PLATFORM_DECLARE_EXCEPTION(IllegalCastException);
// A delegate's signature text does not fit its method, or not the event it is attached to.
PLATFORM_DECLARE_EXCEPTION(DelegateSignatureException);
// An event number the class does not have, or a second handler for one event.
PLATFORM_DECLARE_EXCEPTION(EventBindingException);
// A malformed design-time property list.
PLATFORM_DECLARE_EXCEPTION(PropertyListException);
// An offset outside a MemoryBlock.
PLATFORM_DECLARE_EXCEPTION(OutOfBoundsException);
// A framework call used in a way it does not support (a second registration, an unknown code).
PLATFORM_DECLARE_EXCEPTION(UnsupportedOperationException);

#undef PLATFORM_DECLARE_EXCEPTION

// Every framework and application object. Objects are shared and reference-counted.
class Object : public std::enable_shared_from_this<Object> {
 public:
  Object() = default;
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;
  virtual ~Object() = default;

  // The class table of the object's own (most derived) class.
  virtual const ClassTable& ClassInfo() const;
  static const ClassTable& __Lookup();
};

// The registered name of the object's class.
String ClassNameOf(const Object& object);

// A shared reference that raises NilObjectException when a nil one is used.
template <class T>
class Ref : public std::shared_ptr<T> {
 public:
  Ref() = default;
  Ref(std::nullptr_t) {}
  template <class U>
    requires std::convertible_to<U*, T*>
  Ref(std::shared_ptr<U> p) : std::shared_ptr<T>(std::move(p)) {}

  T* operator->() const { return &**this; }
  T& operator*() const {
    if (!*this) throw NilObjectException("a nil object was used");
    return *this->get();
  }
};

template <class T, class... Args>
Ref<T> New(Args&&... args) {
  return Ref<T>(std::make_shared<T>(std::forward<Args>(args)...));
}

// The class-testing cast: nil stays nil; an object of another class raises IllegalCastException.
template <class T, class U>
Ref<T> RuntimeCheckCast(const std::shared_ptr<U>& object) {
  if (!object) return nullptr;
  auto cast = std::dynamic_pointer_cast<T>(object);
  if (!cast) throw IllegalCastException("cannot cast an object of class " + ClassNameOf(*object));
  return Ref<T>(std::move(cast));
}

}  // namespace platform
