// Start-up, the class tables, the quit paths and shut-down, on the real application.
#include "app/startup.h"

#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QEvent>
#include <QMainWindow>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <stdexcept>

#include "app/app.h"
#include "app/menubar1.h"
#include "fixture.h"
#include "platform/application.h"
#include "platform/native.h"
#include "platform/testing.h"

namespace {

using platform::ClassNameOf;
using platform::RegisteredFileType;

int VisibleMainWindows() {
  int count = 0;
  for (const QWidget* w : QApplication::topLevelWidgets()) {
    if (qobject_cast<const QMainWindow*>(w) && w->isVisible())
      ++count;
  }
  return count;
}

TEST_F(AppTest, StartUpMakesOneApplicationMenuBarWindowAndFileType) {
  const auto application = platform::RuntimeAppObject();
  ASSERT_TRUE(application);
  EXPECT_EQ(ClassNameOf(*application), "App");
  EXPECT_NE(std::dynamic_pointer_cast<app::App>(application), nullptr);

  const auto bar = app::implicit::MenuBar1();
  EXPECT_EQ(application->MenuBar().get(), bar.get());
  EXPECT_EQ(window()->MenuBar().get(), bar.get());

  EXPECT_EQ(VisibleMainWindows(), 1);
  EXPECT_EQ(app::implicit::Window1().get(), window().get()) << "a second Window1 was made";
  EXPECT_EQ(VisibleMainWindows(), 1);

  const std::vector<RegisteredFileType> expected{{"text", "R*ch", "TEXT", ""}};
  EXPECT_EQ(platform::RuntimeRegisteredFileTypes(), expected);
}

// What the framework had when the window first showed itself.
struct AtFirstShow {
  bool seen = false;
  bool appRegistered = false;
  bool appHasMenuBar1 = false;
  std::size_t fileTypes = 0;
};

class ShowProbe : public QObject {
 public:
  AtFirstShow state;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show && !state.seen && qobject_cast<QMainWindow*>(watched)) {
      state.seen = true;
      const auto application = platform::RuntimeAppObject();
      state.appRegistered = std::dynamic_pointer_cast<app::App>(application) != nullptr;
      state.appHasMenuBar1 = application && application->MenuBar() &&
                             ClassNameOf(*application->MenuBar()) == app::MenuBar1::kClassName;
      state.fileTypes = platform::RuntimeRegisteredFileTypes().size();
    }
    return false;
  }
};

class StartupOrderTest : public AppTest {
 protected:
  void SetUp() override {
    // A stand-in, so that a registration left from an earlier start-up cannot pass for this one.
    platform::_RuntimeRegisterAppObject(platform::New<platform::Application>());
    qApp->installEventFilter(&probe_);
    AppTest::SetUp();
    qApp->removeEventFilter(&probe_);
  }
  ShowProbe probe_;
};

TEST_F(StartupOrderTest, WindowOpensAfterTheFileTypeMenuBarAndApplication) {
  const AtFirstShow& at = probe_.state;
  ASSERT_TRUE(at.seen);
  EXPECT_EQ(at.fileTypes, 1u);
  EXPECT_TRUE(at.appRegistered);
  EXPECT_TRUE(at.appHasMenuBar1);
}

TEST_F(AppTest, FinaliseReleasesTheFileTypeAndMenuBarButKeepsTheApplication) {
  const auto application = platform::RuntimeAppObject();
  const std::weak_ptr<app::MenuBar1> bar = app::implicit::MenuBar1();

  app::finalize();

  EXPECT_FALSE(app::FileTypes::pText);
  EXPECT_TRUE(platform::RuntimeRegisteredFileTypes().empty());
  EXPECT_EQ(platform::Window::_GetImplicitWindow(app::Window1::kClassName), nullptr);
  EXPECT_EQ(platform::RuntimeAppObject().get(), application.get());
  // The module no longer holds the bar: the next request builds a new one.
  EXPECT_NE(app::implicit::MenuBar1().get(), bar.lock().get());
}

TEST(StartupTest, ClassesAreRegisteredFrameworkFirstThenWindowMenuBarApp) {
  const std::vector<platform::String> classes = platform::RuntimeRegisteredClasses();
  ASSERT_GE(classes.size(), 4u);
  const std::vector<platform::String> last(classes.end() - 4, classes.end());
  EXPECT_EQ(last, (std::vector<platform::String>{"FileType", "Window1.Window1", "MenuBar1.MenuBar1",
                                                 "App"}));
}

struct ClassCase {
  const char* name;
  const char* parent;
  std::vector<const char*> methods;
  std::vector<std::pair<platform::String, platform::String>> hooks;
};

TEST(StartupTest, AppAndMenuBar1ClassTables) {
  const ClassCase cases[] = {
      {"App", "Application", {"Event_Close", "Constructor"}, {{"Close", "Event_Close"}}},
      {"MenuBar1.MenuBar1", "MenuBar", {"Constructor", "Untitled1", "Untitled2"}, {}},
  };
  for (const ClassCase& c : cases) {
    SCOPED_TRACE(c.name);
    const platform::ClassTable* table = platform::RuntimeLookupClass(c.name);
    ASSERT_NE(table, nullptr);
    ASSERT_NE(table->parent, nullptr);
    EXPECT_EQ(table->parent->name, c.parent);
    ASSERT_EQ(table->methods.size(), c.methods.size());
    for (std::size_t i = 0; i < c.methods.size(); ++i) {
      const platform::MethodInfo& m = table->methods[i];
      EXPECT_EQ(m.name, c.methods[i]);
      EXPECT_EQ(m.signature, "(  )") << m.name;
      ASSERT_EQ(m.attributes.size(), 1u) << m.name;
      EXPECT_EQ(m.attributes[0].name, "__Scope");
      EXPECT_EQ(m.attributes[0].value, "Public");
    }
    EXPECT_EQ(table->eventHooks, c.hooks);
  }
}

TEST(StartupTest, ExceptionHelperReturnsRuntimeExceptionsAndLetsOthersPass) {
  EXPECT_EQ(app::_CallFunctionWithExceptionHandling([] {}), nullptr);

  const std::exception_ptr caught =
      app::_CallFunctionWithExceptionHandling([] { throw platform::NilObjectException("nil"); });
  ASSERT_NE(caught, nullptr);
  EXPECT_THROW(std::rethrow_exception(caught), platform::NilObjectException);

  EXPECT_THROW(app::_CallFunctionWithExceptionHandling([] { throw std::logic_error("other"); }),
               std::logic_error);
}

// ---- Quitting -----------------------------------------------------------------------------

class QuitTest : public AppTest {
 protected:
  QMainWindow* native() const { return platform::NativeWindowWidget(*window()); }
};

TEST_F(QuitTest, EveryQuitPathAsksForCodeZero) {
  struct Path {
    const char* name;
    std::function<void()> take;
  };
  const Path paths[] = {
      {"button 終了", [&] { click(button("PushButton1")); }},
      {"Ctrl+Q", [&] { press(field(1), Qt::Key_Q, Qt::ControlModifier); }},
      {"File > 終了",
       [&] {
         QAction* quit = menuAction("ファイル", "終了");
         ASSERT_NE(quit, nullptr);
         quit->trigger();
       }},
      {"the application's Close event", [] { platform::RuntimeAppObject()->Event_Close(); }},
  };
  for (const Path& path : paths) {
    SCOPED_TRACE(path.name);
    platform::Quit(7);  // a code the path must replace
    path.take();
    EXPECT_TRUE(platform::testing::QuitRequested());
    EXPECT_EQ(platform::testing::QuitCode(), 0);
    platform::testing::ResetQuit();
    EXPECT_TRUE(window()->IsOpen()) << "a quit path closed the window itself";
  }
}

// The App, counting its Close events.
class CountingApp : public app::App {
 public:
  void Event_Close() override {
    ++closes;
    app::App::Event_Close();
  }
  int closes = 0;
};

TEST_F(QuitTest, ClosingTheOnlyWindowQuitsWithCodeZero) {
  const auto application = platform::New<CountingApp>();
  platform::_RuntimeRegisterAppObject(application);
  native()->close();
  EXPECT_TRUE(QTest::qWaitFor([] { return platform::testing::QuitRequested(); }, 1000));
  EXPECT_EQ(platform::testing::QuitCode(), 0);
  EXPECT_EQ(application->closes, 0) << "closing the window ran the application's Close";
}

TEST_F(QuitTest, FileQuitHandlerReportsFalse) {
  EXPECT_FALSE(window()->_FileQuitMenuItem_Action(0));
  EXPECT_EQ(platform::testing::QuitCode(), 0);
  EXPECT_TRUE(platform::testing::QuitRequested());
}

// ---- An exception that reaches _Main ------------------------------------------------------

// An open window that claims Window1's class without being one: the default-view step finds
// it and the cast to Window1 fails, as a broken start-up step would.
class Impostor : public platform::Window {
 public:
  const platform::ClassTable& ClassInfo() const override { return app::Window1::__Lookup(); }
};

// An open window whose class cannot be read: the default-view step's search raises an exception
// that is no RuntimeException (a std::invalid_argument, as Format raises).
class Unreadable : public platform::Window {
 public:
  const platform::ClassTable& ClassInfo() const override {
    throw std::invalid_argument("no class to read");
  }
};

// What the process writes to standard error while `run` runs.
std::string StderrOf(const std::function<void()>& run) {
  std::fflush(stderr);
  std::FILE* sink = std::tmpfile();
  if (sink == nullptr)
    throw std::runtime_error("no temporary file for standard error");
  const int saved = ::dup(STDERR_FILENO);
  ::dup2(::fileno(sink), STDERR_FILENO);
  run();
  std::fflush(stderr);
  ::dup2(saved, STDERR_FILENO);
  ::close(saved);
  std::string text;
  std::rewind(sink);
  for (int c = std::fgetc(sink); c != EOF; c = std::fgetc(sink))
    text += static_cast<char>(c);
  std::fclose(sink);
  return text;
}

// A way for an exception to reach _Main: `before` runs before it, `inLoop` (if any) on the event
// loop's first turn, which then asks to quit.
struct Failure {
  const char* what;
  std::function<void()> before;
  std::function<void()> inLoop;
  const char* written;  // what RunFailing writes (a regular expression; Qt may add lines)
};

// Runs _Main, finalize and RuntimeExit as main does; reports what happened on stderr and exits
// with RuntimeExit's result.
[[noreturn]] void RunFailing(const Failure& failure) {
  constexpr std::string_view kReport = "Unhandled exception";
  failure.before();
  bool loopRan = false;
  QTimer::singleShot(0, [&] {
    loopRan = true;
    if (failure.inLoop)
      failure.inLoop();
    platform::Quit(0);
  });
  const std::string reports = StderrOf(app::_Main);
  app::finalize();
  const int code = platform::RuntimeExit();
  int count = 0;
  for (auto at = reports.find(kReport); at != std::string::npos;
       at = reports.find(kReport, at + 1)) {
    ++count;
  }
  std::fprintf(stderr, "reports=%d loop=%d filetypes=%d\n%s", count, loopRan ? 1 : 0,
               static_cast<int>(platform::RuntimeRegisteredFileTypes().size()), reports.c_str());
  std::exit(code);
}

// A failing start-up step skips the loop; a failing handler ends it. Either way, whatever the
// exception's class, one report and a normal shut-down.
TEST(StartupDeathTest, AnExceptionOfAnyClassIsReportedOnceAndShutsDown) {
  const Failure failures[] = {
      {"a start-up step raises a RuntimeException",
       [] { platform::New<Impostor>()->Constructor(); },
       {},
       "reports=1 loop=0 filetypes=0\nUnhandled exception: IllegalCastException"},
      {"a start-up step raises another exception",
       [] { platform::New<Unreadable>()->Constructor(); },
       {},
       "reports=1 loop=0 filetypes=0\nUnhandled exception: no class to read\n"},
      {"a handler raises another exception",
       [] {
         platform::testing::SetBeepHook([] { throw std::invalid_argument("no bell to ring"); });
       },
       [] {
         const auto month = app::implicit::Window1()->EditField2();
         month->SetText("13");
         QTest::keyClick(platform::NativeWidget(*month), Qt::Key_Tab);  // rings the bell
       },
       "reports=1 loop=1 filetypes=0\n.*Unhandled exception: no bell to ring\n"},
  };
  for (const Failure& failure : failures) {
    SCOPED_TRACE(failure.what);
    EXPECT_EXIT(RunFailing(failure), ::testing::ExitedWithCode(1), failure.written);
  }
}

}  // namespace
