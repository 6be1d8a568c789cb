// The class tables of the framework's own classes. Each is registered on its first lookup;
// _InitFrameworkClasses looks them all up in the framework's order.
#include <initializer_list>
#include <utility>

#include "platform/application.h"
#include "platform/controls.h"
#include "platform/dialog.h"
#include "platform/menu.h"
#include "platform/runtime.h"
#include "platform/window.h"

namespace platform {
namespace {

// Method name and signature text, in method-table order.
using Methods = std::initializer_list<std::pair<std::string_view, std::string_view>>;

ClassTable Table(std::string_view name, const ClassTable& parent, Methods methods,
                 std::vector<EventInfo> events = {}) {
  ClassTable table{.name = String(name), .parent = &parent, .events = std::move(events)};
  for (const auto& [method, signature] : methods) {
    table.methods.push_back({String(method), String(signature)});
  }
  return table;
}

}  // namespace

// Registers the class's table on the first lookup; ClassInfo answers with it.
#define PLATFORM_CLASS_TABLE(Class, ...)                                \
  const ClassTable& Class::__Lookup() {                                 \
    static const ClassTable& table = RuntimeRegisterClass(__VA_ARGS__); \
    return table;                                                       \
  }                                                                     \
  const ClassTable& Class::ClassInfo() const {                          \
    return __Lookup();                                                  \
  }

PLATFORM_CLASS_TABLE(Application,
                     Table(Application::kClassName, Object::__Lookup(),
                           {
                               {"MenuBar", "(  ) as MenuBar"},
                               {"SetMenuBar", "( MenuBar )"},
                           },
                           {
                               {1, "Open", "(  )"},
                               {2, "Close", "(  )"},
                               {3, "EnableMenuItems", "(  )"},
                               {4, "NewDocument", "(  )"},
                               {5, "OpenDocument", "( FolderItem )"},
                               {6, "HandleAppleEvent", "( AppleEvent, String, String ) as Boolean"},
                               {7, "Activate", "(  )"},
                               {8, "Deactivate", "(  )"},
                               {9, "UnhandledException", "( RuntimeException ) as Boolean"},
                               {10, "CancelClose", "(  ) as Boolean"},
                           }))

PLATFORM_CLASS_TABLE(Window, Table(Window::kClassName, Object::__Lookup(),
                                   {
                                       {"Constructor", "(  )"},
                                       {"_GetImplicitWindow", "( String ) as Window"},
                                       {"MenuBar", "(  ) as MenuBar"},
                                       {"SetMenuBar", "( MenuBar )"},
                                       {"__New", "( Class ) as Control"},
                                       {"_AddControl", "( String, Control )"},
                                       {"_ControlByName", "( String ) as Control"},
                                       {"_AddMenuHandler", "( String, Delegate )"},
                                       {"_SetProperties", "( Object, String )"},
                                       {"UpdateMenuItems", "(  )"},
                                       {"ChooseMenuItem", "( String, Int32 ) as Boolean"},
                                       {"IsOpen", "(  ) as Boolean"},
                                       {"Close", "(  )"},
                                   },
                                   {
                                       {1, "Layout", "(  )"},
                                       {2, "CreateControls", "(  )"},
                                       {3, "AddMenuHandlers", "( Window )"},
                                       {4, "EnableMenuItems", "(  )"},
                                   }))

PLATFORM_CLASS_TABLE(Control, Table("Control", Object::__Lookup(),
                                    {
                                        {"Name", "(  ) as String"},
                                        {"Owner", "(  ) as Window"},
                                        {"AddEventHandler", "( Int32, Delegate )"},
                                        {"HasEventHandler", "( Int32 ) as Boolean"},
                                        {"RaiseEvent", "( Int32, EventArgs ) as Boolean"},
                                    }))

PLATFORM_CLASS_TABLE(RectControl, Table("RectControl", Control::__Lookup(),
                                        {
                                            {"Constructor", "(  )"},
                                            {"SetTextSize", "( Single )"},
                                            {"SetTextUnit", "( FontUnits )"},
                                            {"SetFocus", "(  )"},
                                        }))

PLATFORM_CLASS_TABLE(TextField, Table(TextField::kClassName, RectControl::__Lookup(),
                                      {
                                          {"Text", "(  ) as String"},
                                          {"SetText", "( String )"},
                                          {"SelStart", "(  ) as Int32"},
                                          {"SelLength", "(  ) as Int32"},
                                          {"SetSelStart", "( Int32 )"},
                                          {"SetSelLength", "( Int32 )"},
                                          {"Alignment", "(  ) as Int32"},
                                          {"SetAlignment", "( Int32 )"},
                                      },
                                      {
                                          {13, "KeyDown", "( TextField, String ) as Boolean"},
                                          {15, "GotFocus", "( TextField )"},
                                          {16, "LostFocus", "( TextField )"},
                                          {20, "TextChange", "( TextField )"},
                                      }))

PLATFORM_CLASS_TABLE(Label, Table(Label::kClassName, RectControl::__Lookup(),
                                  {
                                      {"Text", "(  ) as String"},
                                      {"SetText", "( String )"},
                                  }))

PLATFORM_CLASS_TABLE(PushButton, Table(PushButton::kClassName, RectControl::__Lookup(),
                                       {
                                           {"Caption", "(  ) as String"},
                                       },
                                       {
                                           {15, "Action", "( PushButton )"},
                                       }))

PLATFORM_CLASS_TABLE(GroupBox, Table(GroupBox::kClassName, RectControl::__Lookup(), {}))

PLATFORM_CLASS_TABLE(MenuItem, Table(MenuItem::kClassName, Object::__Lookup(),
                                     {
                                         {"Name", "(  ) as String"},
                                         {"SetName", "( String )"},
                                         {"Text", "(  ) as String"},
                                         {"SetText", "( String )"},
                                         {"KeyboardShortcut", "(  ) as String"},
                                         {"SetKeyboardShortcut", "( String )"},
                                         {"AutoEnable", "(  ) as Boolean"},
                                         {"SetAutoEnable", "( Boolean )"},
                                         {"Enabled", "(  ) as Boolean"},
                                         {"SetEnabled", "( Boolean )"},
                                         {"Index", "(  ) as Int32"},
                                         {"SetIndex", "( Int32 )"},
                                         {"Append", "( MenuItem )"},
                                         {"Count", "(  ) as Int32"},
                                         {"Item", "( Int32 ) as MenuItem"},
                                         {"Child", "( String ) as MenuItem"},
                                         {"_Lookup", "( String ) as MenuItem"},
                                         {"_Lookup", "( String, Int32 ) as MenuItem"},
                                     }))

PLATFORM_CLASS_TABLE(MenuBar, Table(MenuBar::kClassName, MenuItem::__Lookup(), {}))

PLATFORM_CLASS_TABLE(MessageDialogButton, Table(MessageDialogButton::kClassName, Object::__Lookup(),
                                                {
                                                    {"Caption", "(  ) as String"},
                                                    {"SetCaption", "( String )"},
                                                }))

PLATFORM_CLASS_TABLE(MessageDialog, Table(MessageDialog::kClassName, Object::__Lookup(),
                                          {
                                              {"SetIcon", "( Int32 )"},
                                              {"SetMessage", "( String )"},
                                              {"SetExplanation", "( String )"},
                                              {"SetTitle", "( String )"},
                                              {"ActionButton", "(  ) as MessageDialogButton"},
                                              {"ShowModal", "(  ) as MessageDialogButton"},
                                          }))

PLATFORM_CLASS_TABLE(Date, Table(Date::kClassName, Object::__Lookup(),
                                 {
                                     {"Year", "(  ) as Int32"},
                                     {"Month", "(  ) as Int32"},
                                     {"Day", "(  ) as Int32"},
                                 }))

PLATFORM_CLASS_TABLE(MemoryBlock, Table(MemoryBlock::kClassName, Object::__Lookup(),
                                        {
                                            {"Size", "(  ) as Int32"},
                                            {"Byte", "( Int32 ) as UInt8"},
                                            {"Data", "(  ) as Ptr"},
                                        }))

PLATFORM_CLASS_TABLE(FileType, Table(FileType::kClassName, Object::__Lookup(),
                                     {
                                         {"Name", "(  ) as String"},
                                         {"SetName", "( String )"},
                                         {"SetExtensions", "( String )"},
                                         {"SetMacType", "( String )"},
                                         {"SetMacCreator", "( String )"},
                                         {"Operator_Convert", "(  ) as String"},
                                     }))

#undef PLATFORM_CLASS_TABLE

void _InitFrameworkClasses() {
  using Lookup = const ClassTable& (*)();
  static constexpr Lookup kFrameworkOrder[] = {
      &Object::__Lookup,        &Application::__Lookup, &Window::__Lookup,
      &Control::__Lookup,       &RectControl::__Lookup, &TextField::__Lookup,
      &Label::__Lookup,         &PushButton::__Lookup,  &GroupBox::__Lookup,
      &MenuItem::__Lookup,      &MenuBar::__Lookup,     &MessageDialogButton::__Lookup,
      &MessageDialog::__Lookup, &Date::__Lookup,        &MemoryBlock::__Lookup,
      &FileType::__Lookup,
  };
  for (Lookup lookup : kFrameworkOrder) {
    lookup();
  }
}

}  // namespace platform
