#include "app/menubar1.h"

#include <array>
#include <cstdint>
#include <optional>

namespace app {

namespace {

using platform::MenuItem;
using platform::New;
using platform::Ref;
using platform::String;

enum class ItemClass { MenuItem, MenuBar };

// The bar itself as an item's parent.
constexpr std::string_view kBar = "";
// A separator gets no shortcut at all, which is not the same as an empty one.
constexpr std::optional<std::string_view> kNoShortcut = std::nullopt;
constexpr std::optional<std::int32_t> kNoIndex = std::nullopt;

struct ItemRow {
  std::string_view parent;
  std::string_view name;
  ItemClass cls;
  std::string_view text;
  std::optional<std::string_view> shortcut;
  bool autoEnable;
  std::optional<std::int32_t> index;
};

// In creation order: each menu is on the bar before any of its items exists.
constexpr std::array<ItemRow, 11> kItems{{
    {kBar, "FileMenu", ItemClass::MenuItem, "ファイル", "", true, kNoIndex},
    {"FileMenu", "keisanMenuItem", ItemClass::MenuItem, "計算", "Cmd+K", false, kNoIndex},
    {"FileMenu", "UntitledMenu1", ItemClass::MenuItem, "-", kNoShortcut, true, kNoIndex},
    {"FileMenu", "FileQuitMenuItem", ItemClass::MenuBar, "終了", "Cmd+Q", true, 0},
    {kBar, "EditMenu", ItemClass::MenuItem, "編集", "", true, kNoIndex},
    {"EditMenu", "EditUndo", ItemClass::MenuItem, "取り消し", "Cmd+Z", false, kNoIndex},
    {"EditMenu", "UntitledMenu0", ItemClass::MenuItem, "-", kNoShortcut, true, kNoIndex},
    {"EditMenu", "EditCut", ItemClass::MenuItem, "カット", "Cmd+X", false, kNoIndex},
    {"EditMenu", "EditCopy", ItemClass::MenuItem, "コピー", "Cmd+C", false, kNoIndex},
    {"EditMenu", "EditPaste", ItemClass::MenuItem, "ペースト", "Cmd+V", false, kNoIndex},
    {"EditMenu", "EditClear", ItemClass::MenuItem, "クリア", "", false, kNoIndex},
}};

Ref<MenuItem> NewItem(ItemClass cls) {
  if (cls == ItemClass::MenuBar)
    return New<platform::MenuBar>();
  return New<MenuItem>();
}

Ref<MenuItem> MakeItem(const ItemRow& row) {
  Ref<MenuItem> item = NewItem(row.cls);
  item->SetName(String(row.name));
  item->SetAutoEnable(row.autoEnable);
  if (row.index)
    item->SetIndex(*row.index);
  item->SetText(String(row.text));
  if (row.shortcut)
    item->SetKeyboardShortcut(String(*row.shortcut));
  return item;
}

// Builds one menu (its title row and its items) on the bar, in table order.
void BuildMenu(MenuItem& bar, std::string_view menu) {
  for (const ItemRow& row : kItems) {
    if (row.name != menu && row.parent != menu)
      continue;
    const Ref<MenuItem> item = MakeItem(row);
    if (row.parent == kBar) {
      bar.Append(item);
    } else {
      bar.Child(row.parent)->Append(item);
    }
  }
}

platform::ClassTable MakeMenuBar1Table() {
  const platform::Attribute kPublic{"__Scope", "Public"};
  return {
      .name = String(MenuBar1::kClassName),
      .parent = &platform::MenuBar::__Lookup(),
      .attributes = {},
      .methods = {{"Constructor", "(  )", {kPublic}},
                  {"Untitled1", "(  )", {kPublic}},
                  {"Untitled2", "(  )", {kPublic}}},
      .events = {},
      .eventHooks = {},
  };
}

Ref<MenuBar1> implicitInstance;

}  // namespace

const platform::ClassTable& MenuBar1::__Lookup() {
  static const platform::ClassTable& table = platform::RuntimeRegisterClass(MakeMenuBar1Table());
  return table;
}

const platform::ClassTable& MenuBar1::ClassInfo() const {
  return __Lookup();
}

void MenuBar1::Constructor() {
  Untitled1();
  Untitled2();
}

void MenuBar1::Untitled1() {
  BuildMenu(*this, "FileMenu");
}

void MenuBar1::Untitled2() {
  BuildMenu(*this, "EditMenu");
}

namespace implicit {

Ref<app::MenuBar1> MenuBar1() {
  if (!implicitInstance) {
    auto bar = New<app::MenuBar1>();
    bar->Constructor();
    implicitInstance = bar;
  }
  return implicitInstance;
}

void MenuBar1__Exit() {
  implicitInstance = nullptr;
}

}  // namespace implicit

}  // namespace app
