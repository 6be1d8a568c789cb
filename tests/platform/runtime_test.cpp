// The runtime: class tables, delegates and event binding, the process life and the small
// services.
#include "platform/runtime.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDate>
#include <QFont>
#include <QFontInfo>
#include <QTimer>
#include <algorithm>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "mentions.h"
#include "platform/application.h"
#include "platform/controls.h"
#include "platform/dialog.h"
#include "platform/internal.h"
#include "platform/testing.h"
#include "platform/window.h"
#include "tests/signals.h"

namespace {

namespace rt = platform::testing;
using platform::ClassTable;
using platform::Delegate;
using platform::EventArgs;
using platform::New;
using platform::Ref;
using platform::String;

// The name of the RuntimeException `call` raises, or what it raised instead.
String RaisedBy(const std::function<void()>& call) {
  try {
    call();
  } catch (const platform::RuntimeException& e) {
    return e.ClassName();
  } catch (const std::exception& e) {
    return String("std::exception: ") + e.what();
  } catch (...) {
    return "another exception";
  }
  return "nothing";
}

// ---- Class tables -------------------------------------------------------------------------

const std::vector<String> kFrameworkOrder = {
    "Object",        "Application", "Window",      "Control",  "RectControl", "TextField",
    "Label",         "PushButton",  "GroupBox",    "MenuItem", "MenuBar",     "MessageDialogButton",
    "MessageDialog", "Date",        "MemoryBlock", "FileType",
};

// Exit code of a fresh process that checks the registry: 0 when it holds `expected`.
int RegistryIs(const std::vector<String>& expected) {
  const std::vector<String> registered = platform::RuntimeRegisteredClasses();
  if (registered == expected) {
    return 0;
  }
  for (const String& name : registered) {
    std::fprintf(stderr, "%s ", name.c_str());
  }
  return 1;
}

// These run in a process of their own, whose registry is still empty.
TEST(ClassTablesDeathTest, FrameworkClassesAreRegisteredOnceInTheirOrder) {
  EXPECT_EXIT(
      {
        platform::_InitFrameworkClasses();
        platform::_InitFrameworkClasses();
        std::_Exit(RegistryIs(kFrameworkOrder));
      },
      ::testing::ExitedWithCode(0), "");
}

TEST(ClassTablesDeathTest, AnEarlierLookupRegistersAClassAndItsAncestorsFirst) {
  std::vector<String> expected = {"Object", "Control", "RectControl", "TextField"};
  for (const String& name : kFrameworkOrder) {
    if (std::find(expected.begin(), expected.end(), name) == expected.end()) {
      expected.push_back(name);
    }
  }
  EXPECT_EXIT(
      {
        const ClassTable* early = &platform::TextField::__Lookup();
        platform::_InitFrameworkClasses();
        const bool same = early == platform::RuntimeLookupClass("TextField");
        std::_Exit(same ? RegistryIs(expected) : 2);
      },
      ::testing::ExitedWithCode(0), "");
}

ClassTable TestTable(String name, const ClassTable* parent) {
  return ClassTable{.name = std::move(name), .parent = parent};
}

TEST(ClassTables, RegistrationKeepsOrderAndRefusesMisuse) {
  const ClassTable& object = platform::Object::__Lookup();
  platform::TextField::__Lookup();
  const ClassTable& first = platform::RuntimeRegisterClass(TestTable("Registry.First", &object));
  const ClassTable& second = platform::RuntimeRegisterClass(TestTable("Registry.Second", &first));
  EXPECT_EQ(platform::RuntimeLookupClass("Registry.First"), &first);
  EXPECT_EQ(platform::RuntimeLookupClass("Registry.Second"), &second);
  EXPECT_EQ(platform::RuntimeLookupClass("Registry.None"), nullptr);
  const std::vector<String> names = platform::RuntimeRegisteredClasses();
  ASSERT_GE(names.size(), 2u);
  EXPECT_EQ(std::vector<String>(names.end() - 2, names.end()),
            (std::vector<String>{"Registry.First", "Registry.Second"}));

  const ClassTable unregistered = TestTable("Registry.Loose", &object);
  const struct {
    const char* what;
    ClassTable table;
  } refused[] = {
      {"a second class of one name", TestTable("Registry.First", &object)},
      {"a framework class again", TestTable("TextField", &object)},
      {"no name", TestTable("", &object)},
      {"no parent", TestTable("Registry.Orphan", nullptr)},
      {"an unregistered parent", TestTable("Registry.Stray", &unregistered)},
  };
  for (const auto& c : refused) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(RaisedBy([&] { platform::RuntimeRegisterClass(c.table); }),
              "UnsupportedOperationException");
  }
  EXPECT_EQ(platform::RuntimeRegisteredClasses(), names);
}

TEST(ClassTables, EventsAreFoundByNumberThroughTheAncestors) {
  const ClassTable& field = platform::RuntimeRegisterClass(ClassTable{
      .name = "Events.Field",
      .parent = &platform::TextField::__Lookup(),
      .events = {{30, "Paste", "( TextField )"}},
  });
  const struct {
    const ClassTable& table;
    std::int32_t number;
    const char* name;  // nullptr: no such event
    const char* signature;
  } cases[] = {
      {field, 30, "Paste", "( TextField )"},
      {field, 13, "KeyDown", "( TextField, String ) as Boolean"},
      {field, 15, "GotFocus", "( TextField )"},
      {field, 16, "LostFocus", "( TextField )"},
      {field, 20, "TextChange", "( TextField )"},
      {field, 14, nullptr, nullptr},
      {platform::PushButton::__Lookup(), 15, "Action", "( PushButton )"},
      {platform::PushButton::__Lookup(), 13, nullptr, nullptr},
      {platform::Label::__Lookup(), 15, nullptr, nullptr},
      {platform::Application::__Lookup(), 2, "Close", "(  )"},
      {platform::Application::__Lookup(), 10, "CancelClose", "(  ) as Boolean"},
      {platform::Application::__Lookup(), 11, nullptr, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.table.name + " event " + std::to_string(c.number));
    const platform::EventInfo* event = platform::RuntimeFindEvent(c.table, c.number);
    if (c.name == nullptr) {
      EXPECT_EQ(event, nullptr);
      continue;
    }
    ASSERT_NE(event, nullptr);
    EXPECT_EQ(event->name, c.name);
    EXPECT_EQ(event->signature, c.signature);
  }
}

class Unlisted : public platform::Application {};  // no table of its own

TEST(ClassTables, ObjectsNameTheirClassAndTheCastChecksIt) {
  const Ref<platform::Object> block = New<platform::MemoryBlock>(1);
  EXPECT_EQ(platform::ClassNameOf(*block), "MemoryBlock");
  EXPECT_EQ(platform::ClassNameOf(*New<platform::Date>()), "Date");
  EXPECT_EQ(platform::ClassNameOf(*New<Unlisted>()), "Application");
  EXPECT_EQ(&block->ClassInfo(), platform::RuntimeLookupClass("MemoryBlock"));
  EXPECT_EQ(platform::RuntimeCheckCast<platform::MemoryBlock>(block)->Size(), 1);
  EXPECT_FALSE(platform::RuntimeCheckCast<platform::Date>(Ref<platform::Object>()));
  try {
    platform::RuntimeCheckCast<platform::Date>(block);
    ADD_FAILURE() << "cast accepted";
  } catch (const platform::IllegalCastException& e) {
    EXPECT_TRUE(Mentions(e.what(), "MemoryBlock"));
  }
}

// ---- Delegates ----------------------------------------------------------------------------

class Target : public platform::Object {
 public:
  void OnField(Ref<platform::TextField>) { ++calls; }
  bool OnKey(Ref<platform::TextField>, String key) { return key == "\t"; }
  bool OnIndex(std::int32_t index) {
    lastIndex = index;
    return true;
  }
  bool OnMenu() { return true; }
  void OnButton(Ref<platform::PushButton>) { ++calls; }
  int calls = 0;
  std::int32_t lastIndex = -1;
};

int startups = 0;
void CountStartup() {
  ++startups;
}

template <auto Method>
Delegate DelegateOf(const Ref<Target>& target, String signature) {
  return platform::RuntimeCreateDelegate(target, Method, std::move(signature));
}

Delegate StartupDelegate(const Ref<Target>&, String signature) {
  return platform::RuntimeCreateDelegate(&CountStartup, std::move(signature));
}

struct DelegateKind {
  const char* signature;
  Delegate (*make)(const Ref<Target>&, String);
};

const DelegateKind kDelegateKinds[] = {
    {"( TextField )", &DelegateOf<&Target::OnField>},
    {"( TextField, String ) as Boolean", &DelegateOf<&Target::OnKey>},
    {"( Int32 ) as Boolean", &DelegateOf<&Target::OnIndex>},
    {"(  ) as Boolean", &DelegateOf<&Target::OnMenu>},
    {"( PushButton )", &DelegateOf<&Target::OnButton>},
    {"(  )", &StartupDelegate},
};

TEST(Delegates, TheSignatureTextMustDescribeTheMethod) {
  const auto target = New<Target>();
  for (const DelegateKind& kind : kDelegateKinds) {
    SCOPED_TRACE(kind.signature);
    EXPECT_EQ(kind.make(target, kind.signature).Signature(), kind.signature);
    for (const String wrong :
         {"( TextField )", "( TextField, String ) as Boolean", "( Int32 ) as Boolean",
          "(  ) as Boolean", "( PushButton )", "(  )", "( TextField)", "( textfield )", ""}) {
      if (wrong == kind.signature) {
        continue;
      }
      try {
        kind.make(target, wrong);
        ADD_FAILURE() << "accepted \"" << wrong << "\"";
      } catch (const platform::DelegateSignatureException& e) {
        EXPECT_TRUE(Mentions(e.what(), "\"" + wrong + "\""));
        EXPECT_TRUE(Mentions(e.what(), "\"" + String(kind.signature) + "\""));
      }
    }
  }
}

TEST(Delegates, CallTheBoundMethodWithTheEventsArguments) {
  const auto target = New<Target>();
  const Delegate key =
      platform::RuntimeCreateDelegate(target, &Target::OnKey, "( TextField, String ) as Boolean");
  EXPECT_TRUE(key(EventArgs{.key = "\t"}));
  EXPECT_FALSE(key(EventArgs{.key = "a"}));
  const Delegate index =
      platform::RuntimeCreateDelegate(target, &Target::OnIndex, "( Int32 ) as Boolean");
  EXPECT_TRUE(index(EventArgs{.index = 2}));
  EXPECT_EQ(target->lastIndex, 2);
  const Delegate field = platform::RuntimeCreateDelegate(target, &Target::OnField, "( TextField )");
  EXPECT_FALSE(field(EventArgs{}));  // a method without a result answers false
  EXPECT_EQ(target->calls, 1);

  EXPECT_EQ(RaisedBy([&] { field(EventArgs{.sender = New<platform::MemoryBlock>(1)}); }),
            "IllegalCastException");
  EXPECT_EQ(RaisedBy([] { Delegate("(  )", nullptr); }), "NilObjectException");
  EXPECT_EQ(RaisedBy([] { platform::RuntimeCreateDelegate(nullptr, "(  )"); }),
            "NilObjectException");

  const Delegate orphan = [] {
    auto gone = New<Target>();
    return platform::RuntimeCreateDelegate(gone, &Target::OnMenu, "(  ) as Boolean");
  }();
  EXPECT_EQ(RaisedBy([&] { orphan(EventArgs{}); }), "NilObjectException");
}

TEST(Delegates, AttachingChecksTheEventNumberTheSignatureAndTheClass) {
  const auto target = New<Target>();
  const Ref<platform::TextField> field = New<platform::TextField>();
  const Delegate onField =
      platform::RuntimeCreateDelegate(target, &Target::OnField, "( TextField )");

  try {
    platform::RuntimeAddEventHandler(field, platform::TextField::kKeyDown, onField);
    ADD_FAILURE() << "a mismatched delegate was attached";
  } catch (const platform::DelegateSignatureException& e) {
    EXPECT_TRUE(Mentions(e.what(), "\"( TextField )\""));
    EXPECT_TRUE(Mentions(e.what(), "\"( TextField, String ) as Boolean\""));
    EXPECT_TRUE(Mentions(e.what(), "KeyDown"));
  }
  EXPECT_FALSE(field->HasEventHandler(platform::TextField::kKeyDown));

  try {
    platform::RuntimeAddEventHandler(field, 14, onField);
    ADD_FAILURE() << "an unknown event number was accepted";
  } catch (const platform::EventBindingException& e) {
    EXPECT_TRUE(Mentions(e.what(), "TextField"));
    EXPECT_TRUE(Mentions(e.what(), "14"));
  }

  platform::RuntimeAddEventHandler(field, platform::TextField::kLostFocus, onField);
  EXPECT_TRUE(field->HasEventHandler(platform::TextField::kLostFocus));

  const Delegate onClose = platform::RuntimeCreateDelegate(&CountStartup, "(  )");
  EXPECT_EQ(RaisedBy([&] {
              platform::RuntimeAddEventHandler(New<platform::Application>(),
                                               platform::Application::kClose, onClose);
            }),
            "IllegalCastException");
  EXPECT_EQ(RaisedBy([&] { platform::RuntimeAddEventHandler(nullptr, 2, onClose); }),
            "NilObjectException");
}

// ---- Process ------------------------------------------------------------------------------

std::exception_ptr CatchRuntimeExceptions(const std::function<void()>& call) {
  try {
    call();
  } catch (const platform::RuntimeException&) {
    return std::current_exception();
  }
  return nullptr;
}

// Resets what a test of the process may leave behind.
class Process : public ::testing::Test {
 protected:
  void SetUp() override { rt::ResetQuit(); }
  void TearDown() override {
    rt::ResetQuit();
    rt::TakePendingException();
    platform::_RuntimeSetExceptionHelper(nullptr);
    platform::_RuntimeRegisterAppObject(New<platform::Application>());
  }

  // Runs the event loop with `start` queued; false when it had to be ended by the guard.
  // `timedOut` tells the same when _RuntimeRun throws.
  bool RunLoop(const std::function<void()>& start) {
    timedOut = false;
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [&] {
      timedOut = true;
      QCoreApplication::exit(99);
    });
    guard.start(5000);
    QTimer::singleShot(0, &guard, start);
    platform::_RuntimeRun();
    return !timedOut;
  }
  bool timedOut = false;
};

TEST(ProcessDeathTest, TheExitCodeIsTheQuitCodeOrOneAfterAReportedFailure) {
  const struct {
    const char* what;
    std::int32_t quit;  // -1: Quit not called
    bool failure;
    int exitCode;
  } cases[] = {
      {"nothing asked", -1, false, 0},
      {"Quit(0)", 0, false, 0},
      {"Quit(3)", 3, false, 3},
      {"Quit(0) after a reported failure", 0, true, 1},
      {"a reported failure alone", -1, true, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EXIT(
        {
          if (c.failure) {
            platform::_UnhandledException(std::make_exception_ptr(1));
          }
          if (c.quit >= 0) {
            platform::Quit(c.quit);
          }
          std::_Exit(platform::RuntimeExit());
        },
        ::testing::ExitedWithCode(c.exitCode), "");
  }
}

// Ends the process with 0 when each call that needs the toolkit is refused without it, else with
// the number of the first call that was not.
[[noreturn]] void ExitAfterCallsWithoutTheToolkit() {
  platform::RuntimeExit();
  const std::function<void()> calls[] = {
      [] { platform::Beep(); },
      [] { New<platform::Window>()->Constructor(); },
      [] { New<platform::MessageDialog>()->ShowModal(); },
      [] { platform::_RuntimeRun(); },
      [] {
        platform::_RunFrameworkInitialization(
            platform::RuntimeCreateDelegate(&CountStartup, "(  )"));
      },
  };
  for (std::size_t i = 0; i < std::size(calls); ++i) {
    if (RaisedBy(calls[i]) != "UnsupportedOperationException") {
      std::_Exit(static_cast<int>(i) + 1);
    }
  }
  std::_Exit(0);
}

// None may abort the process.
TEST(ProcessDeathTest, CallsThatNeedTheToolkitAreRefusedWithoutIt) {
  EXPECT_EXIT(ExitAfterCallsWithoutTheToolkit(), ::testing::ExitedWithCode(0), "");
}

TEST_F(Process, InitSetsUpTheToolkitOnce) {
  EXPECT_FALSE(QApplication::quitOnLastWindowClosed());
  EXPECT_EQ(QFontInfo(QFont("Osaka")).family(), "IPAGothic");
  int argc = 1;
  char name[] = "again";
  char* argv[] = {name, nullptr};
  EXPECT_EQ(RaisedBy([&] { platform::RuntimeInit(argc, argv); }), "UnsupportedOperationException");
}

TEST_F(Process, InitialisationCallsTheStartupOnceAndLetsItsExceptionsPass) {
  startups = 0;
  platform::_RunFrameworkInitialization(platform::RuntimeCreateDelegate(&CountStartup, "(  )"));
  EXPECT_EQ(startups, 1);
  EXPECT_NE(platform::RuntimeLookupClass("FileType"), nullptr);

  const Delegate failing("(  )", [](const EventArgs&) -> bool {
    throw platform::NilObjectException("start-up failed");
  });
  EXPECT_EQ(RaisedBy([&] { platform::_RunFrameworkInitialization(failing); }),
            "NilObjectException");
  const Delegate wrong("(  ) as Boolean", [](const EventArgs&) { return ++startups > 0; });
  EXPECT_EQ(RaisedBy([&] { platform::_RunFrameworkInitialization(wrong); }),
            "DelegateSignatureException");
  EXPECT_EQ(startups, 1);
}

TEST_F(Process, QuitBeforeTheLoopMakesRunReturnAtOnce) {
  platform::Quit(4);
  EXPECT_TRUE(rt::QuitRequested());
  EXPECT_EQ(rt::QuitCode(), 4);
  bool ran = false;
  EXPECT_TRUE(RunLoop([&] { ran = true; }));
  EXPECT_FALSE(ran);
  platform::Quit(0);  // a further request is accepted
  EXPECT_EQ(rt::QuitCode(), 0);
}

TEST_F(Process, QuitFromAHandlerEndsTheLoopAndReturns) {
  bool afterQuit = false;
  EXPECT_TRUE(RunLoop([&] {
    platform::internal::Dispatch([&] {
      platform::Quit(7);
      afterQuit = true;
      return false;
    });
  }));
  EXPECT_TRUE(afterQuit);
  EXPECT_EQ(rt::QuitCode(), 7);
}

int helperCalls = 0;
std::exception_ptr CountingHelper(const std::function<void()>& call) {
  ++helperCalls;
  return CatchRuntimeExceptions(call);
}

TEST_F(Process, DispatchKeepsAnExceptionPendingOutsideTheLoop) {
  const struct {
    const char* what;
    std::function<void()> raise;
    String raised;
  } cases[] = {
      {"a RuntimeException, handed back by the helper",
       [] { throw platform::NilObjectException("nil"); }, "NilObjectException"},
      {"another std::exception, let through by the helper", [] { throw std::logic_error("logic"); },
       "std::exception: logic"},
      {"anything else", [] { throw 42; }, "another exception"},
  };
  for (const platform::ExceptionHelper helper : {&CountingHelper, platform::ExceptionHelper{}}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(c.what);
      helperCalls = 0;
      platform::_RuntimeSetExceptionHelper(helper);
      EXPECT_FALSE(platform::internal::Dispatch([&]() -> bool {
        c.raise();
        return true;
      }));
      EXPECT_EQ(helperCalls, helper ? 1 : 0);
      const std::exception_ptr pending = rt::TakePendingException();
      ASSERT_TRUE(pending);
      EXPECT_EQ(RaisedBy([&] { std::rethrow_exception(pending); }), c.raised);
      EXPECT_FALSE(rt::TakePendingException());
    }
    EXPECT_TRUE(platform::internal::Dispatch([] { return true; }));
    EXPECT_FALSE(rt::TakePendingException());
  }
}

TEST_F(Process, AnExceptionInAHandlerEndsTheLoopAndRunRethrowsIt) {
  platform::_RuntimeSetExceptionHelper(&CatchRuntimeExceptions);
  try {
    RunLoop([] {
      platform::internal::Dispatch([]() -> bool { throw platform::NilObjectException("boom"); });
    });
    ADD_FAILURE() << "_RuntimeRun returned";
  } catch (const platform::NilObjectException& e) {
    EXPECT_STREQ(e.what(), "boom");
  }
  EXPECT_FALSE(timedOut) << "the guard ended the loop, not the exception";
  EXPECT_FALSE(rt::QuitRequested());
  EXPECT_FALSE(rt::TakePendingException());

  // One kept before the loop starts ends it before it runs.
  platform::internal::Dispatch([]() -> bool { throw platform::EventBindingException("early"); });
  EXPECT_EQ(RaisedBy([] { platform::_RuntimeRun(); }), "EventBindingException");
}

TEST_F(Process, ASecondExceptionWhileOneIsPendingIsReportedOnItsOwn) {
  platform::internal::Dispatch([]() -> bool { throw platform::NilObjectException("first"); });
  ::testing::internal::CaptureStderr();
  platform::internal::Dispatch([]() -> bool { throw platform::NilObjectException("second"); });
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "Unhandled exception: NilObjectException: second\n");
  EXPECT_EQ(RaisedBy([] { std::rethrow_exception(rt::TakePendingException()); }),
            "NilObjectException");
}

TEST_F(Process, AnUnhandledExceptionIsReportedOnOneLine) {
  const struct {
    std::exception_ptr exception;
    const char* line;
  } cases[] = {
      {std::make_exception_ptr(platform::NilObjectException("a nil object was used")),
       "Unhandled exception: NilObjectException: a nil object was used\n"},
      {std::make_exception_ptr(platform::RuntimeException("plain")),
       "Unhandled exception: RuntimeException: plain\n"},
      {std::make_exception_ptr(std::out_of_range("index 9")), "Unhandled exception: index 9\n"},
      {std::make_exception_ptr(std::runtime_error("two\nlines")),
       "Unhandled exception: two lines\n"},
      {std::make_exception_ptr(42), "Unhandled exception\n"},
  };
  for (const auto& c : cases) {
    ::testing::internal::CaptureStderr();
    platform::_UnhandledException(c.exception);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), c.line);
  }
}

class ClosingApp : public platform::Application {
 public:
  void Event_Close() override {
    ++closes;
    platform::Quit(0);
  }
  int closes = 0;
};

TEST_F(Process, TerminationSignalsRaiseTheApplicationsCloseOnTheLoop) {
  const testsignals::BridgeInstalled bridge;  // main took it off again
  for (const int signal : {SIGTERM, SIGINT}) {
    SCOPED_TRACE(signal);
    rt::ResetQuit();
    const auto app = New<ClosingApp>();
    platform::_RuntimeRegisterAppObject(app);
    std::raise(signal);
    EXPECT_EQ(app->closes, 0);  // not inside the signal handler
    EXPECT_TRUE(RunLoop([] {}));
    EXPECT_EQ(app->closes, 1);
    EXPECT_TRUE(rt::QuitRequested());
    EXPECT_EQ(rt::QuitCode(), 0);
  }
}

TEST_F(Process, ApplicationCloseRunsUnderTheFrameworksExceptionHandling) {
  EXPECT_EQ(RaisedBy([] { platform::_RuntimeRegisterAppObject(nullptr); }), "NilObjectException");
  const auto app = New<ClosingApp>();
  platform::_RuntimeRegisterAppObject(app);
  EXPECT_EQ(platform::RuntimeAppObject(), app);
  platform::internal::RaiseApplicationClose();
  EXPECT_EQ(app->closes, 1);

  class FailingApp : public platform::Application {
    void Event_Close() override { throw platform::NilObjectException("close"); }
  };
  platform::_RuntimeRegisterAppObject(New<FailingApp>());
  platform::internal::RaiseApplicationClose();
  EXPECT_EQ(RaisedBy([] { std::rethrow_exception(rt::TakePendingException()); }),
            "NilObjectException");
}

// ---- Small services -----------------------------------------------------------------------

TEST(MemoryBlock, ByteIsBoundsChecked) {
  platform::MemoryBlock block(16);
  block.Data()[0] = 0x01;
  block.Data()[15] = 0xAB;
  EXPECT_EQ(block.Byte(0), 0x01);
  EXPECT_EQ(block.Byte(15), 0xAB);
  for (const std::int32_t offset : {-1, 16, INT32_MIN, INT32_MAX}) {
    SCOPED_TRACE(offset);
    try {
      block.Byte(offset);
      ADD_FAILURE() << "read outside the block";
    } catch (const platform::OutOfBoundsException& e) {
      EXPECT_TRUE(Mentions(e.what(), std::to_string(offset)));
    }
  }
  EXPECT_EQ(RaisedBy([] { platform::MemoryBlock(0).Byte(0); }), "OutOfBoundsException");
  EXPECT_EQ(RaisedBy([] { platform::MemoryBlock(-1); }), "OutOfBoundsException");
}

TEST(FileType, ConversionRegistersOnceChangesAndDestructionDeregister) {
  using Fields = platform::RegisteredFileType;
  const std::vector<Fields> before = platform::RuntimeRegisteredFileTypes();
  const auto registered = [&](std::vector<Fields> added) {
    std::vector<Fields> all = before;
    all.insert(all.end(), added.begin(), added.end());
    return all;
  };

  auto text = New<platform::FileType>();
  text->SetName("text");
  text->SetExtensions("");
  text->SetMacType("TEXT");
  text->SetMacCreator("R*ch");
  EXPECT_EQ(platform::RuntimeRegisteredFileTypes(), before);
  EXPECT_EQ(static_cast<String>(*text), "text");
  EXPECT_EQ(static_cast<String>(*text), "text");
  const Fields textFields{"text", "R*ch", "TEXT", ""};
  EXPECT_EQ(platform::RuntimeRegisteredFileTypes(), registered({textFields}));

  auto other = New<platform::FileType>();
  other->SetName("other");
  static_cast<void>(static_cast<String>(*other));
  text->SetExtensions("txt");
  EXPECT_EQ(platform::RuntimeRegisteredFileTypes(), registered({{"other", "", "", ""}}));
  static_cast<void>(static_cast<String>(*text));
  EXPECT_EQ(platform::RuntimeRegisteredFileTypes(),
            registered({{"other", "", "", ""}, {"text", "R*ch", "TEXT", "txt"}}));

  text = nullptr;
  EXPECT_EQ(platform::RuntimeRegisteredFileTypes(), registered({{"other", "", "", ""}}));
  other = nullptr;
  EXPECT_EQ(platform::RuntimeRegisteredFileTypes(), before);
}

TEST(Date, TodayComesFromTheSeamOrTheLocalClock) {
  rt::SetToday(2024, 2, 29);
  const platform::Date fixed;
  EXPECT_EQ(fixed.Year(), 2024);
  EXPECT_EQ(fixed.Month(), 2);
  EXPECT_EQ(fixed.Day(), 29);
  EXPECT_EQ(RaisedBy([] { rt::SetToday(2023, 2, 29); }), "UnsupportedOperationException");
  EXPECT_EQ(platform::Date().Day(), 29);  // a refused date leaves the seam as it was

  rt::UseRealClock();
  const QDate before = QDate::currentDate();
  const platform::Date now;
  const QDate after = QDate::currentDate();
  const QDate seen(now.Year(), now.Month(), now.Day());
  EXPECT_TRUE(seen == before || seen == after) << seen.toString().toStdString();
}

TEST(Beep, GoesToTheHookWhileOneIsSet) {
  int rings = 0;
  rt::SetBeepHook([&] { ++rings; });
  platform::Beep();
  platform::Beep();
  rt::SetBeepHook({});
  platform::Beep();  // the real bell, silent offscreen
  EXPECT_EQ(rings, 2);
}

}  // namespace
