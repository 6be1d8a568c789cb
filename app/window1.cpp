#include "app/window1.h"

#include <array>

#include "app/menubar1.h"
#include "app/window1_layout.h"

namespace app {

namespace {

using platform::GroupBox;
using platform::Label;
using platform::PushButton;
using platform::TextField;

// Signature texts of the class table and of the wiring.
constexpr std::string_view kNoArgs = "(  )";
constexpr std::string_view kFieldEvent = "( TextField )";
constexpr std::string_view kFieldKey = "( TextField, String ) as Boolean";
constexpr std::string_view kButtonEvent = "( PushButton )";
constexpr std::string_view kAsGroupBox = "(  ) as GroupBox";
constexpr std::string_view kAsLabel = "(  ) as Label";
constexpr std::string_view kAsTextField = "(  ) as TextField";
constexpr std::string_view kAsPushButton = "(  ) as PushButton";
constexpr std::string_view kAsMenuItem = "(  ) as MenuItem";
constexpr std::string_view kQuitItemAction = "( Int32 ) as Boolean";
constexpr std::string_view kItemAction = "(  ) as Boolean";

struct MemberRow {
  std::string_view name;
  std::string_view signature;
  bool hidden = false;
};

// Window1's own methods, in method-table order.
constexpr std::array<MemberRow, 48> kMembers{{
    {"Layout", kNoArgs},
    {"CreateControls", kNoArgs},
    {"_CreateControls0", kNoArgs, true},
    {"GroupBox1", kAsGroupBox},
    {"StaticText4", kAsLabel},
    {"StaticText7", kAsLabel},
    {"StaticText8", kAsLabel},
    {"StaticText1", kAsLabel},
    {"EditField1", kAsTextField},
    {"EditField2", kAsTextField},
    {"EditField3", kAsTextField},
    {"StaticText2", kAsLabel},
    {"StaticText3", kAsLabel},
    {"StaticText5", kAsLabel},
    {"StaticText6", kAsLabel},
    {"PushButton2", kAsPushButton},
    {"PushButton1", kAsPushButton},
    {"StaticText9", kAsLabel},
    {"StaticText10", kAsLabel},
    {"EditField1_LostFocus", kFieldEvent},
    {"EditField1_TextChange", kFieldEvent},
    {"EditField1_GotFocus", kFieldEvent},
    {"EditField1_KeyDown", kFieldKey},
    {"EditField2_TextChange", kFieldEvent},
    {"EditField2_GotFocus", kFieldEvent},
    {"EditField2_KeyDown", kFieldKey},
    {"EditField2_LostFocus", kFieldEvent},
    {"EditField3_TextChange", kFieldEvent},
    {"EditField3_GotFocus", kFieldEvent},
    {"EditField3_KeyDown", kFieldKey},
    {"EditField3_LostFocus", kFieldEvent},
    {"PushButton2_Action", kButtonEvent},
    {"PushButton1_Action", kButtonEvent},
    {"EditMenu", kAsMenuItem},
    {"EditClear", kAsMenuItem},
    {"EditPaste", kAsMenuItem},
    {"EditCopy", kAsMenuItem},
    {"EditCut", kAsMenuItem},
    {"UntitledMenu0", kAsMenuItem},
    {"EditUndo", kAsMenuItem},
    {"FileMenu", kAsMenuItem},
    {"FileQuitMenuItem", "( Int32 ) as MenuBar"},
    {"UntitledMenu1", kAsMenuItem},
    {"keisanMenuItem", kAsMenuItem},
    {"AddMenuHandlers", "( Window )"},
    {"Event_EnableMenuItems", kNoArgs},
    {"_FileQuitMenuItem_Action", kQuitItemAction},
    {"_keisanMenuItem_Action", kItemAction},
}};

platform::ClassTable MakeWindow1Table() {
  const platform::Attribute kPublic{"__Scope", "Public"};
  platform::ClassTable table{
      .name = String(Window1::kClassName),
      .parent = &platform::Window::__Lookup(),
      .attributes = {kPublic},
      .methods = {},
      .events = {},
      .eventHooks = {{"Layout", "Layout"},
                     {"CreateControls", "CreateControls"},
                     {"AddMenuHandlers", "AddMenuHandlers"},
                     {"EnableMenuItems", "Event_EnableMenuItems"}},
  };
  for (const MemberRow& member : kMembers) {
    platform::MethodInfo method{String(member.name), String(member.signature), {kPublic}};
    if (member.hidden)
      method.attributes.push_back({"Hidden", ""});
    table.methods.push_back(std::move(method));
  }
  return table;
}

// Nothing caches a control: every use finds it by name again.
template <class T>
Ref<T> ControlNamed(const Window1& window, std::string_view name) {
  return platform::RuntimeCheckCast<T>(window._ControlByName(name));
}

// The same lookup while a control is built: it was registered just before, so its absence is a
// fault, reported with its name.
template <class T>
Ref<T> Registered(const Window1& window, std::string_view name) {
  Ref<T> control = ControlNamed<T>(window, name);
  if (!control)
    throw platform::NilObjectException("no control named " + String(name));
  return control;
}

Ref<platform::MenuItem> ItemNamed(const Window1& window, std::string_view name) {
  return platform::RuntimeCheckCast<platform::MenuItem>(window.MenuBar()->_Lookup(name));
}

// A handler method of Window1 as a delegate bound to one window.
using Binder = platform::Delegate (*)(const Ref<Window1>& window, String signature);
template <auto Handler>
platform::Delegate Bind(const Ref<Window1>& window, String signature) {
  return platform::RuntimeCreateDelegate(window, Handler, std::move(signature));
}

struct WireRow {
  std::string_view control;
  std::int32_t event;
  Binder handler;
  std::string_view signature;
};

// In the order the handlers are attached.
constexpr std::array<WireRow, 14> kWiring{{
    {"EditField1", TextField::kLostFocus, Bind<&Window1::EditField1_LostFocus>, kFieldEvent},
    {"EditField1", TextField::kTextChange, Bind<&Window1::EditField1_TextChange>, kFieldEvent},
    {"EditField1", TextField::kGotFocus, Bind<&Window1::EditField1_GotFocus>, kFieldEvent},
    {"EditField1", TextField::kKeyDown, Bind<&Window1::EditField1_KeyDown>, kFieldKey},
    {"EditField2", TextField::kTextChange, Bind<&Window1::EditField2_TextChange>, kFieldEvent},
    {"EditField2", TextField::kGotFocus, Bind<&Window1::EditField2_GotFocus>, kFieldEvent},
    {"EditField2", TextField::kKeyDown, Bind<&Window1::EditField2_KeyDown>, kFieldKey},
    {"EditField2", TextField::kLostFocus, Bind<&Window1::EditField2_LostFocus>, kFieldEvent},
    {"EditField3", TextField::kTextChange, Bind<&Window1::EditField3_TextChange>, kFieldEvent},
    {"EditField3", TextField::kGotFocus, Bind<&Window1::EditField3_GotFocus>, kFieldEvent},
    {"EditField3", TextField::kKeyDown, Bind<&Window1::EditField3_KeyDown>, kFieldKey},
    {"EditField3", TextField::kLostFocus, Bind<&Window1::EditField3_LostFocus>, kFieldEvent},
    {"PushButton2", PushButton::kAction, Bind<&Window1::PushButton2_Action>, kButtonEvent},
    {"PushButton1", PushButton::kAction, Bind<&Window1::PushButton1_Action>, kButtonEvent},
}};

struct ControlRow;
using Creator = void (*)(const Ref<Window1>& window, const ControlRow& row);

struct ControlRow {
  std::string_view name;
  Creator create;
  float textSize;
  std::string_view properties;
};

// Creates one control and finishes it before the next one starts. Its handlers come last, so
// applying its design-time values runs none of them.
template <class T>
void CreateControl(const Ref<Window1>& window, const ControlRow& row) {
  {
    const Ref<T> control = window->__New<T>();
    control->Constructor();
    window->_AddControl(String(row.name), control);
  }
  Registered<T>(*window, row.name)->SetTextSize(row.textSize);
  Registered<T>(*window, row.name)->SetTextUnit(0);
  window->_SetProperties(Registered<T>(*window, row.name), row.properties);
  for (const WireRow& wire : kWiring) {
    if (wire.control != row.name)
      continue;
    const Ref<T> control = Registered<T>(*window, row.name);
    platform::RuntimeAddEventHandler(control, wire.event,
                                     wire.handler(window, String(wire.signature)));
  }
}

// In creation order: a parent control always exists before the controls it holds.
constexpr std::array<ControlRow, 16> kControls{{
    {"GroupBox1", CreateControl<GroupBox>, 12, layout::kGroupBox1.View()},
    {"StaticText4", CreateControl<Label>, 72, layout::kStaticText4.View()},
    {"StaticText7", CreateControl<Label>, 12, layout::kStaticText7.View()},
    {"StaticText8", CreateControl<Label>, 12, layout::kStaticText8.View()},
    {"StaticText1", CreateControl<Label>, 24, layout::kStaticText1.View()},
    {"EditField1", CreateControl<TextField>, 20, layout::kEditField1.View()},
    {"EditField2", CreateControl<TextField>, 20, layout::kEditField2.View()},
    {"EditField3", CreateControl<TextField>, 20, layout::kEditField3.View()},
    {"StaticText2", CreateControl<Label>, 24, layout::kStaticText2.View()},
    {"StaticText3", CreateControl<Label>, 24, layout::kStaticText3.View()},
    {"StaticText5", CreateControl<Label>, 24, layout::kStaticText5.View()},
    {"StaticText6", CreateControl<Label>, 16, layout::kStaticText6.View()},
    {"PushButton2", CreateControl<PushButton>, 12, layout::kPushButton2.View()},
    {"PushButton1", CreateControl<PushButton>, 12, layout::kPushButton1.View()},
    {"StaticText9", CreateControl<Label>, 9, layout::kStaticText9.View()},
    {"StaticText10", CreateControl<Label>, 10, layout::kStaticText10.View()},
}};

}  // namespace

const platform::ClassTable& Window1::__Lookup() {
  static const platform::ClassTable& table = platform::RuntimeRegisterClass(MakeWindow1Table());
  return table;
}

const platform::ClassTable& Window1::ClassInfo() const {
  return __Lookup();
}

// ---- Set-up events ------------------------------------------------------------------------

void Window1::Layout() {
  SetMenuBar(implicit::MenuBar1());
  _SetProperties(shared_from_this(), layout::kWindow1.View());
}

void Window1::CreateControls() {
  _CreateControls0();
}

void Window1::_CreateControls0() {
  const Ref<Window1> self = platform::RuntimeCheckCast<Window1>(shared_from_this());
  for (const ControlRow& row : kControls)
    row.create(self, row);
}

// ---- Control accessors --------------------------------------------------------------------

Ref<GroupBox> Window1::GroupBox1() const {
  return ControlNamed<GroupBox>(*this, "GroupBox1");
}
Ref<Label> Window1::StaticText4() const {
  return ControlNamed<Label>(*this, "StaticText4");
}
Ref<Label> Window1::StaticText7() const {
  return ControlNamed<Label>(*this, "StaticText7");
}
Ref<Label> Window1::StaticText8() const {
  return ControlNamed<Label>(*this, "StaticText8");
}
Ref<Label> Window1::StaticText1() const {
  return ControlNamed<Label>(*this, "StaticText1");
}
Ref<TextField> Window1::EditField1() const {
  return ControlNamed<TextField>(*this, "EditField1");
}
Ref<TextField> Window1::EditField2() const {
  return ControlNamed<TextField>(*this, "EditField2");
}
Ref<TextField> Window1::EditField3() const {
  return ControlNamed<TextField>(*this, "EditField3");
}
Ref<Label> Window1::StaticText2() const {
  return ControlNamed<Label>(*this, "StaticText2");
}
Ref<Label> Window1::StaticText3() const {
  return ControlNamed<Label>(*this, "StaticText3");
}
Ref<Label> Window1::StaticText5() const {
  return ControlNamed<Label>(*this, "StaticText5");
}
Ref<Label> Window1::StaticText6() const {
  return ControlNamed<Label>(*this, "StaticText6");
}
Ref<PushButton> Window1::PushButton2() const {
  return ControlNamed<PushButton>(*this, "PushButton2");
}
Ref<PushButton> Window1::PushButton1() const {
  return ControlNamed<PushButton>(*this, "PushButton1");
}
Ref<Label> Window1::StaticText9() const {
  return ControlNamed<Label>(*this, "StaticText9");
}
Ref<Label> Window1::StaticText10() const {
  return ControlNamed<Label>(*this, "StaticText10");
}

// ---- Buttons ------------------------------------------------------------------------------

void Window1::PushButton1_Action(Ref<PushButton> /*button*/) {
  platform::Quit(0);
}

// ---- Menus --------------------------------------------------------------------------------

Ref<platform::MenuItem> Window1::EditMenu() const {
  return ItemNamed(*this, "EditMenu");
}
Ref<platform::MenuItem> Window1::EditClear() const {
  return ItemNamed(*this, "EditClear");
}
Ref<platform::MenuItem> Window1::EditPaste() const {
  return ItemNamed(*this, "EditPaste");
}
Ref<platform::MenuItem> Window1::EditCopy() const {
  return ItemNamed(*this, "EditCopy");
}
Ref<platform::MenuItem> Window1::EditCut() const {
  return ItemNamed(*this, "EditCut");
}
Ref<platform::MenuItem> Window1::UntitledMenu0() const {
  return ItemNamed(*this, "UntitledMenu0");
}
Ref<platform::MenuItem> Window1::EditUndo() const {
  return ItemNamed(*this, "EditUndo");
}
Ref<platform::MenuItem> Window1::FileMenu() const {
  return ItemNamed(*this, "FileMenu");
}
Ref<platform::MenuBar> Window1::FileQuitMenuItem(std::int32_t index) const {
  return platform::RuntimeCheckCast<platform::MenuBar>(
      MenuBar()->_Lookup("FileQuitMenuItem", index));
}
Ref<platform::MenuItem> Window1::UntitledMenu1() const {
  return ItemNamed(*this, "UntitledMenu1");
}
Ref<platform::MenuItem> Window1::keisanMenuItem() const {
  return ItemNamed(*this, "keisanMenuItem");
}

void Window1::AddMenuHandlers(const Ref<platform::Window>& w) {
  const Ref<Window1> window = platform::RuntimeCheckCast<Window1>(w);
  window->_AddMenuHandler("FileQuitMenuItem",
                          platform::RuntimeCreateDelegate(
                              window, &Window1::_FileQuitMenuItem_Action, String(kQuitItemAction)));
  window->_AddMenuHandler("keisanMenuItem",
                          platform::RuntimeCreateDelegate(window, &Window1::_keisanMenuItem_Action,
                                                          String(kItemAction)));
}

void Window1::Event_EnableMenuItems() {
  keisanMenuItem()->SetEnabled(true);
}

bool Window1::_FileQuitMenuItem_Action(std::int32_t /*index*/) {
  platform::Quit(0);
  return false;
}

// ---- The implicit instance ----------------------------------------------------------------

namespace implicit {

Ref<app::Window1> Window1() {
  Ref<platform::Window> open = platform::Window::_GetImplicitWindow(app::Window1::kClassName);
  if (!open) {
    const auto created = platform::New<app::Window1>();
    created->Constructor();
    open = created;
  }
  return platform::RuntimeCheckCast<app::Window1>(open);
}

}  // namespace implicit

}  // namespace app
