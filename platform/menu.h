// Menu items and menu bars: a tree of items found by Name.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/object.h"
#include "platform/runtime.h"

namespace platform {

class MenuItem : public Object {
 public:
  static constexpr std::string_view kClassName = "MenuItem";
  MenuItem() = default;
  const ClassTable& ClassInfo() const override;
  static const ClassTable& __Lookup();

  const String& Name() const noexcept { return name_; }
  void SetName(String name) { name_ = std::move(name); }
  const String& Text() const noexcept { return text_; }  // "-" is a separator
  void SetText(String text) { text_ = std::move(text); }
  const String& KeyboardShortcut() const noexcept { return shortcut_; }  // "Cmd+K"; empty: none
  void SetKeyboardShortcut(String shortcut) { shortcut_ = std::move(shortcut); }
  bool AutoEnable() const noexcept { return autoEnable_; }
  void SetAutoEnable(bool value) { autoEnable_ = value; }
  bool Enabled() const noexcept { return enabled_; }
  void SetEnabled(bool value) { enabled_ = value; }
  // Member number within an indexed item set of one Name; none when not in a set.
  std::optional<std::int32_t> Index() const noexcept { return index_; }
  void SetIndex(std::int32_t index) { index_ = index; }

  // Adds a child after the existing ones.
  void Append(const Ref<MenuItem>& item);
  std::int32_t Count() const noexcept { return static_cast<std::int32_t>(children_.size()); }
  Ref<MenuItem> Item(std::int32_t position) const;  // nil outside 0..Count-1
  // The direct child of that Name, or nil.
  Ref<MenuItem> Child(std::string_view name) const;
  // The item of that Name (and index) anywhere below this one, or nil.
  Ref<MenuItem> _Lookup(std::string_view name) const;
  Ref<MenuItem> _Lookup(std::string_view name, std::int32_t index) const;

 private:
  String name_, text_, shortcut_;
  bool autoEnable_ = true;
  bool enabled_ = true;
  std::optional<std::int32_t> index_;
  std::vector<Ref<MenuItem>> children_;
};

class MenuBar : public MenuItem {
 public:
  static constexpr std::string_view kClassName = "MenuBar";
  const ClassTable& ClassInfo() const override;
  static const ClassTable& __Lookup();
};

// "Cmd+K" and the like in the toolkit's portable form ("Ctrl+K"): the platform's command key
// is Ctrl. Empty stays empty.
String ShortcutForPlatform(std::string_view shortcut);

}  // namespace platform
