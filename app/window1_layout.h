// The design-time look of Window1: the window's and the sixteen controls' property lists, built
// at compile time. Each design struct lists its class's keys in the order the list gives them,
// with the values most controls share as defaults; a control's row names only its own values.
#pragma once

#include <climits>
#include <cstdint>
#include <string_view>

#include "platform/properties.h"

#ifndef NANSAI_VERSION
#error "NANSAI_VERSION must be defined by the build"
#endif

namespace app::layout {

using platform::Colour;
using platform::RGB;

// No control belongs to a control array: each is found by its name alone.
inline constexpr std::int32_t kNoIndex = INT32_MIN;
inline constexpr std::string_view kFont = "Osaka";
inline constexpr Colour kBlack = RGB(0x000000);
inline constexpr Colour kWhite = RGB(0xFFFFFF);
inline constexpr std::string_view kMonthsTip = "前回の誕生日からの月数";

// Room for the longest list (a text field's); the encoder refuses at compile time to overrun.
using List = platform::PropertyList<640>;

struct GroupBoxDesign {
  std::string_view name;
  std::int32_t index = kNoIndex;
  std::int32_t left, top, width, height;
  bool lockLeft = false, lockTop = false, lockRight = false, lockBottom = false;
  std::int32_t tabPanelIndex = 0;
  std::int32_t tabIndex;
  std::string_view caption = "";
  bool enabled = true, visible = true;
  std::string_view helpTag = "";
  bool autoDeactivate = true;
  std::string_view textFont = kFont;
  bool bold = false, italic = false, underline = false;
  std::string_view initialParent = "";
};

struct LabelDesign {
  std::string_view name;
  std::int32_t index = kNoIndex;
  std::int32_t left, top, width, height;
  bool lockLeft = false, lockTop = false, lockRight = false, lockBottom = false;
  std::int32_t tabPanelIndex = 0;
  std::int32_t tabIndex;
  std::string_view text = "";
  std::int32_t textAlign;
  Colour textColor = kBlack;
  bool multiline = false;
  bool enabled = true, visible = true;
  bool selectable = false, transparent = false;
  std::string_view helpTag = "";
  bool autoDeactivate = true;
  std::string_view textFont = kFont;
  bool bold = false, italic = false, underline = false;
  std::string_view dataSource = "", dataField = "";
  std::string_view initialParent = "";
};

struct TextFieldDesign {
  std::string_view name;
  std::int32_t index = kNoIndex;
  std::int32_t left, top, width, height;
  bool lockLeft = false, lockTop = false, lockRight = false, lockBottom = false;
  std::int32_t tabPanelIndex = 0;
  std::int32_t tabIndex;
  bool tabStop = true, border = true, password = false, useFocusRing = true;
  Colour textColor = kBlack, backColor = kWhite;
  bool enabled = true;
  std::string_view format = "";
  bool visible = true;
  std::string_view helpTag = "";
  bool autoDeactivate = true;
  std::string_view textFont = kFont;
  bool bold = false, italic = false, underline = false;
  std::string_view cueText = "", text = "";
  std::string_view mask;
  bool readOnly = false;
  std::int32_t limitText;
  bool acceptTabs = false;
  std::int32_t alignment;
  bool automaticallyCheckSpelling = false;
  std::string_view dataSource = "", dataField = "";
  std::string_view initialParent = "";
};

struct PushButtonDesign {
  std::string_view name;
  std::int32_t index = kNoIndex;
  std::int32_t left, top, width, height;
  bool lockLeft = false, lockTop = false, lockRight = false, lockBottom = false;
  std::int32_t tabPanelIndex = 0;
  std::int32_t tabIndex;
  bool tabStop = true;
  std::string_view caption;
  bool isDefault = false, cancel = false;
  bool enabled = true, visible = true;
  std::string_view helpTag = "";
  bool autoDeactivate = true;
  std::int32_t buttonStyle = 0;
  std::string_view textFont = kFont;
  bool bold = false, italic = false, underline = false;
  std::string_view initialParent = "";
};

// The twelve keys every control's list opens with.
template <class Design>
constexpr List& Head(List& list, const Design& d) {
  return list.Text("Name", d.name)
      .Int("Index", d.index)
      .Int("Left", d.left)
      .Int("Top", d.top)
      .Int("Width", d.width)
      .Int("Height", d.height)
      .Bool("LockLeft", d.lockLeft)
      .Bool("LockTop", d.lockTop)
      .Bool("LockRight", d.lockRight)
      .Bool("LockBottom", d.lockBottom)
      .Int("TabPanelIndex", d.tabPanelIndex)
      .Int("TabIndex", d.tabIndex);
}

template <class Design>
constexpr List& Face(List& list, const Design& d) {
  return list.Text("TextFont", d.textFont)
      .Bool("Bold", d.bold)
      .Bool("Italic", d.italic)
      .Bool("Underline", d.underline);
}

// The closing keys of labels and text fields.
template <class Design>
constexpr List& DataAndParent(List& list, const Design& d) {
  return list.Text("DataSource", d.dataSource)
      .Text("DataField", d.dataField)
      .Text("InitialParent", d.initialParent);
}

consteval List GroupBoxList(const GroupBoxDesign& d) {
  List list;
  Head(list, d)
      .Text("Caption", d.caption)
      .Bool("Enabled", d.enabled)
      .Bool("Visible", d.visible)
      .Text("HelpTag", d.helpTag)
      .Bool("AutoDeactivate", d.autoDeactivate);
  Face(list, d).Text("InitialParent", d.initialParent);
  return list;
}

consteval List LabelList(const LabelDesign& d) {
  List list;
  Head(list, d)
      .Text("Text", d.text)
      .Int("TextAlign", d.textAlign)
      .Color("TextColor", d.textColor)
      .Bool("Multiline", d.multiline)
      .Bool("Enabled", d.enabled)
      .Bool("Visible", d.visible)
      .Bool("Selectable", d.selectable)
      .Bool("Transparent", d.transparent)
      .Text("HelpTag", d.helpTag)
      .Bool("AutoDeactivate", d.autoDeactivate);
  DataAndParent(Face(list, d), d);
  return list;
}

consteval List TextFieldList(const TextFieldDesign& d) {
  List list;
  Head(list, d)
      .Bool("TabStop", d.tabStop)
      .Bool("Border", d.border)
      .Bool("Password", d.password)
      .Bool("UseFocusRing", d.useFocusRing)
      .Color("TextColor", d.textColor)
      .Color("BackColor", d.backColor)
      .Bool("Enabled", d.enabled)
      .Text("Format", d.format)
      .Bool("Visible", d.visible)
      .Text("HelpTag", d.helpTag)
      .Bool("AutoDeactivate", d.autoDeactivate);
  Face(list, d)
      .Text("CueText", d.cueText)
      .Text("Text", d.text)
      .Text("Mask", d.mask)
      .Bool("ReadOnly", d.readOnly)
      .Int("LimitText", d.limitText)
      .Bool("AcceptTabs", d.acceptTabs)
      .Int("Alignment", d.alignment)
      .Bool("AutomaticallyCheckSpelling", d.automaticallyCheckSpelling);
  DataAndParent(list, d);
  return list;
}

consteval List PushButtonList(const PushButtonDesign& d) {
  List list;
  Head(list, d)
      .Bool("TabStop", d.tabStop)
      .Text("Caption", d.caption)
      .Bool("Default", d.isDefault)
      .Bool("Cancel", d.cancel)
      .Bool("Enabled", d.enabled)
      .Bool("Visible", d.visible)
      .Text("HelpTag", d.helpTag)
      .Bool("AutoDeactivate", d.autoDeactivate)
      .Int("ButtonStyle", d.buttonStyle);
  Face(list, d).Text("InitialParent", d.initialParent);
  return list;
}

inline constexpr List kWindow1 = List{}
                                     .Int("Placement", 0)
                                     .Int("Width", 437)
                                     .Int("Height", 296)
                                     .Int("MinWidth", 64)
                                     .Int("MinHeight", 64)
                                     .Int("MaxWidth", 32000)
                                     .Int("MaxHeight", 32000)
                                     .Int("Frame", 0)
                                     .Bool("Composite", false)
                                     .Bool("HasBackColor", false)
                                     .Color("BackColor", kWhite)
                                     .Text("Title", "何歳でしょうか？")
                                     .Bool("Visible", true)
                                     .Bool("FullScreen", false)
                                     .Bool("MenuBarVisible", true)
                                     .Bool("CloseButton", true)
                                     .Bool("Resizeable", false)
                                     .Bool("LiveResize", false)
                                     .Bool("MaximizeButton", false)
                                     .Bool("MinimizeButton", false)
                                     .Int("MacProcID", 0);

// clang-format off
inline constexpr List kGroupBox1 = GroupBoxList({.name = "GroupBox1",
    .left = 39, .top = 144, .width = 359, .height = 105, .tabIndex = 0});

inline constexpr List kStaticText4 = LabelList({.name = "StaticText4",
    .left = 57, .top = 149, .width = 322, .height = 84, .tabIndex = 0,
    .textAlign = 1, .initialParent = "GroupBox1"});
inline constexpr List kStaticText7 = LabelList({.name = "StaticText7",
    .left = 273, .top = 225, .width = 119, .height = 19, .tabIndex = 1,
    .textAlign = 1, .helpTag = kMonthsTip, .bold = true, .initialParent = "GroupBox1"});
inline constexpr List kStaticText8 = LabelList({.name = "StaticText8",
    .left = 278, .top = 230, .width = 119, .height = 19, .tabIndex = 2,
    .textAlign = 1, .helpTag = kMonthsTip, .bold = true, .initialParent = "GroupBox1"});
inline constexpr List kStaticText1 = LabelList({.name = "StaticText1",
    .left = 158, .top = 48, .width = 23, .height = 25, .tabIndex = 1,
    .text = "年", .textAlign = 0});

inline constexpr List kEditField1 = TextFieldList({.name = "EditField1",
    .left = 65, .top = 48, .width = 81, .height = 28, .tabIndex = 2,
    .mask = "####", .limitText = 4, .alignment = 3});
inline constexpr List kEditField2 = TextFieldList({.name = "EditField2",
    .left = 193, .top = 48, .width = 43, .height = 28, .tabIndex = 3,
    .mask = "##", .limitText = 2, .alignment = 0});
inline constexpr List kEditField3 = TextFieldList({.name = "EditField3",
    .left = 279, .top = 48, .width = 43, .height = 28, .tabIndex = 4,
    .mask = "##", .limitText = 2, .alignment = 0});

inline constexpr List kStaticText2 = LabelList({.name = "StaticText2",
    .left = 244, .top = 49, .width = 23, .height = 25, .tabIndex = 5,
    .text = "月", .textAlign = 0});
inline constexpr List kStaticText3 = LabelList({.name = "StaticText3",
    .left = 326, .top = 49, .width = 23, .height = 25, .tabIndex = 6,
    .text = "日", .textAlign = 0});
inline constexpr List kStaticText5 = LabelList({.name = "StaticText5",
    .left = 58, .top = 10, .width = 319, .height = 27, .tabIndex = 7,
    .text = "生年月日を入力してください。", .textAlign = 0});
inline constexpr List kStaticText6 = LabelList({.name = "StaticText6",
    .left = 19, .top = 84, .width = 397, .height = 51, .tabIndex = 8,
    .textAlign = 1, .multiline = true});

inline constexpr List kPushButton2 = PushButtonList({.name = "PushButton2",
    .left = 322, .top = 113, .width = 69, .height = 20, .tabIndex = 0,
    .caption = "計算", .autoDeactivate = false, .initialParent = "StaticText6"});
inline constexpr List kPushButton1 = PushButtonList({.name = "PushButton1",
    .left = 323, .top = 256, .width = 69, .height = 20, .tabIndex = 9,
    .caption = "終了"});

inline constexpr List kStaticText9 = LabelList({.name = "StaticText9",
    .left = 39, .top = 261, .width = 262, .height = 20, .tabIndex = 10,
    .text = "Version " NANSAI_VERSION, .textAlign = 0, .textColor = RGB(0xB2B2B2),
    .enabled = false});
inline constexpr List kStaticText10 = LabelList({.name = "StaticText10",
    .left = 39, .top = 251, .width = 291, .height = 15, .tabIndex = 11,
    .text = "※和暦、月の日数は簡易仕様です。ご注意ください。", .textAlign = 0,
    .textColor = RGB(0xFF200B)});
// clang-format on

}  // namespace app::layout
