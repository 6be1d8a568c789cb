// The runtime: class tables with their reflection data, delegates and event binding, the
// process life (init, event loop, quit, exit) and the small global services.
#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <string_view>
#include <type_traits>
#include <vector>

#include "platform/object.h"
#include "platform/text.h"

namespace platform {

class Application;

// ---- Class tables -------------------------------------------------------------------------

struct Attribute {
  String name;
  String value;  // empty for a flag such as "Hidden"
};

struct MethodInfo {
  String name;
  String signature;  // e.g. "( TextField, String ) as Boolean"
  std::vector<Attribute> attributes{};
};

struct EventInfo {
  std::int32_t number;
  String name;
  String signature;
};

struct ClassTable {
  String name;                         // "TextField", "Window1.Window1"
  const ClassTable* parent = nullptr;  // nullptr only for Object
  std::vector<Attribute> attributes{};
  std::vector<MethodInfo> methods{};  // in method-table order
  std::vector<EventInfo> events{};    // the events this class adds
  // Events of the parent that this class handles itself: event name -> handler method name.
  std::vector<std::pair<String, String>> eventHooks{};
};

// Registers a class table once and keeps it for the whole run. A second registration of the
// same name throws UnsupportedOperationException.
const ClassTable& RuntimeRegisterClass(ClassTable table);
// The registered table of that name, or nullptr.
const ClassTable* RuntimeLookupClass(std::string_view name);
// Names of all registered classes, in registration order.
std::vector<String> RuntimeRegisteredClasses();
// The event of that number in the class or its ancestors, or nullptr.
const EventInfo* RuntimeFindEvent(const ClassTable& table, std::int32_t number);
// Builds the class tables of the framework's own classes, in the framework's order (FileType
// last). Each is built once; later calls do nothing.
void _InitFrameworkClasses();

// ---- Delegates ----------------------------------------------------------------------------

// What an event passes to its handler.
struct EventArgs {
  Ref<Object> sender{};    // the control that raised the event (nil for menus and start-up)
  String key{};            // KeyDown: the key as text
  std::int32_t index = 0;  // menu handlers: the index of the chosen item of an item set
};

// A callable with its signature text.
class Delegate {
 public:
  using Function = std::function<bool(const EventArgs&)>;
  Delegate(String signature, Function function);
  const String& Signature() const noexcept { return signature_; }
  // Calls the target; the result is false for a method that returns nothing.
  bool operator()(const EventArgs& args) const { return function_(args); }

 private:
  String signature_;
  Function function_;
};

namespace detail {
// Handler parameters: a control as Ref<TextField> and the like, a key as String, an item index
// as Int32.
template <class T>
String ParameterName() {
  if constexpr (std::is_same_v<T, String>) {
    return "String";
  } else if constexpr (std::is_same_v<T, std::int32_t>) {
    return "Int32";
  } else {
    return String(T::element_type::kClassName);
  }
}
// The value an event passes to a parameter of type T.
template <class T>
T Argument(const EventArgs& args) {
  if constexpr (std::is_same_v<T, String>) {
    return args.key;
  } else if constexpr (std::is_same_v<T, std::int32_t>) {
    return args.index;
  } else {
    return RuntimeCheckCast<typename T::element_type>(args.sender);
  }
}
// The signature text that describes a method with these parameters and result.
template <class Result, class... Params>
String SignatureOf() {
  String text = "(";
  if constexpr (sizeof...(Params) == 0) {
    text += "  )";
  } else {
    bool first = true;
    ((text += (first ? " " : ", ") + ParameterName<Params>(), first = false), ...);
    text += " )";
  }
  if constexpr (std::is_same_v<Result, bool>) {
    text += " as Boolean";
  }
  return text;
}
void CheckSignature(const String& given, const String& expected);
template <class Target>
Target& Lock(const std::weak_ptr<Target>& target) {
  auto locked = target.lock();
  if (!locked) {
    throw NilObjectException("the delegate's target no longer exists");
  }
  return *locked;  // the target is kept alive by its owner for the duration of the call
}
}  // namespace detail

// A delegate of a method bound to a target object. The signature text must describe the
// method ("( TextField )", "( TextField, String ) as Boolean", "( Int32 ) as Boolean",
// "(  ) as Boolean"); otherwise DelegateSignatureException.
template <class Target, class Result, class... Params>
Delegate RuntimeCreateDelegate(const Ref<Target>& target, Result (Target::*method)(Params...),
                               String signature) {
  detail::CheckSignature(signature, detail::SignatureOf<Result, Params...>());
  std::weak_ptr<Target> weak = target;
  return Delegate(std::move(signature), [weak, method](const EventArgs& args) {
    Target& object = detail::Lock(weak);
    if constexpr (std::is_same_v<Result, bool>) {
      return (object.*method)(detail::Argument<Params>(args)...);
    } else {
      (object.*method)(detail::Argument<Params>(args)...);
      return false;
    }
  });
}

// A delegate of a free function with no parameters and no result ("(  )").
Delegate RuntimeCreateDelegate(void (*function)(), String signature);

// Attaches a delegate to one event of one object, by the framework's event number. Throws
// EventBindingException for a number the object's class does not have or an event that already
// has a handler, and DelegateSignatureException, naming both texts, when the delegate's
// signature is not the event's.
void RuntimeAddEventHandler(const Ref<Object>& object, std::int32_t eventNumber, Delegate handler);

// ---- Process ------------------------------------------------------------------------------

// Calls `call` and returns the RuntimeException it raised, or nullptr; other exceptions pass.
using ExceptionHelper = std::exception_ptr (*)(const std::function<void()>& call);

// First call of the process: readies the process and sets up the toolkit. A closed standard
// stream is opened on /dev/null, and SIGPIPE is ignored, so that a write into a broken pipe fails
// instead of ending the process. Qt's own command-line options are honoured. SIGTERM and SIGINT
// raise the application's Close event on the loop, except one that the process started with
// ignored, which stays ignored. A failure to set up (too few free file descriptors, no display)
// is reported as one unhandled-exception line and ends the process with exit code 1; a second
// call throws UnsupportedOperationException.
void RuntimeInit(int& argc, char** argv);
// Last call: shuts the toolkit down. Returns the exit code: the code given to Quit (0 when
// nothing asked), or 1 when an unhandled exception was reported.
int RuntimeExit();
void _RuntimeSetExceptionHelper(ExceptionHelper helper);
// Initialises the framework, then calls `startup` (signature "(  )") once. Exceptions of the
// start-up routine pass to the caller.
void _RunFrameworkInitialization(const Delegate& startup);
// This platform has no external classes and no plug-ins: the first does nothing, the second
// only refuses a negative table size.
void _RuntimeInitExternalClasses();
void _InitPluginEntrypoints(std::int32_t count);
void _RuntimeRegisterAppObject(const Ref<Application>& app);
// The registered application object, or nil.
Ref<Application> RuntimeAppObject();
// Runs the event loop until Quit. An exception that escaped a handler ends the loop and is
// rethrown from here. Returns at once when Quit was asked before the loop started.
void _RuntimeRun();
// Asks the event loop to end with this code; returns at once. Further calls are accepted.
void Quit(std::int32_t code);
// Reports an exception that nothing handled: one line on standard error.
void _UnhandledException(std::exception_ptr exception);
// Releases the framework's windows, open and closed, and the list of open implicit windows.
// Class tables stay.
void _FinalizeFramework();

// ---- Small services -----------------------------------------------------------------------

void Beep();
double Pow(double base, double exponent);
std::uint64_t BitwiseAnd(std::uint64_t a, std::uint64_t b);

// Today's local date (and time).
class Date : public Object {
 public:
  static constexpr std::string_view kClassName = "Date";
  Date();
  const ClassTable& ClassInfo() const override;
  static const ClassTable& __Lookup();
  std::int32_t Year() const noexcept { return year_; }
  std::int32_t Month() const noexcept { return month_; }  // 1-12
  std::int32_t Day() const noexcept { return day_; }      // 1-31

 private:
  std::int32_t year_, month_, day_;
};

// A block of bytes for calls that fill memory.
class MemoryBlock : public Object {
 public:
  static constexpr std::string_view kClassName = "MemoryBlock";
  explicit MemoryBlock(std::int32_t size);
  const ClassTable& ClassInfo() const override;
  static const ClassTable& __Lookup();
  std::int32_t Size() const noexcept { return static_cast<std::int32_t>(bytes_.size()); }
  // The byte at `offset`, 0-255; OutOfBoundsException outside the block.
  std::uint8_t Byte(std::int32_t offset) const;
  std::uint8_t* Data() noexcept { return bytes_.data(); }

 private:
  std::vector<std::uint8_t> bytes_;
};

// A document type the application declares. Converting it to text registers it with the
// framework (once) and yields its Name; changing a field of a registered type deregisters it
// first; destroying it deregisters it.
class FileType : public Object {
 public:
  static constexpr std::string_view kClassName = "FileType";
  FileType() = default;
  ~FileType() override;
  const ClassTable& ClassInfo() const override;
  static const ClassTable& __Lookup();

  void SetName(String value);
  void SetExtensions(String value);
  void SetMacType(String value);
  void SetMacCreator(String value);
  const String& Name() const noexcept { return name_; }
  explicit operator String();

 private:
  void Change(String& field, String value);
  void Deregister();
  String name_, extensions_, macType_, macCreator_;
  bool registered_ = false;
};

struct RegisteredFileType {
  String name, macCreator, macType, extensions;
  bool operator==(const RegisteredFileType&) const = default;
};
std::vector<RegisteredFileType> RuntimeRegisteredFileTypes();

}  // namespace platform
