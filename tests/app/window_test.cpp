// Window1: its class table, the sixteen controls as built, their wiring, and the design-time
// lists it hands the framework.
#include <QGroupBox>
#include <QImage>
#include <QMainWindow>
#include <climits>
#include <set>

#include "app/window1_layout.h"
#include "era/wareki.h"
#include "fixture.h"
#include "platform/native.h"
#include "platform/properties.h"
#include "platform/testing.h"

namespace {

using app::Window1;
using platform::ClassNameOf;
using platform::Control;

const char* const kNoParent = nullptr;

// The sixteen controls in creation order, as the user sees them. Rectangles count from the
// content area's top left; text sizes are pixels.
struct ControlCase {
  const char* name;
  const char* cls;
  const char* parent;
  QRect rect;
  const char* text;
  int textSize;
  bool bold;
  QRgb colour;          // labels only
  Qt::Alignment align;  // labels and fields
};

// clang-format off
const ControlCase kControlCases[] = {
    // name          class         parent         left top  width height  text  size bold colour  align
    {"GroupBox1",    "GroupBox",   kNoParent,     {39, 144, 359, 105}, "",    12, false, 0,        Qt::AlignLeft},
    {"StaticText4",  "Label",      "GroupBox1",   {57, 149, 322, 84},  "",    72, false, 0x000000, Qt::AlignHCenter},
    {"StaticText7",  "Label",      "GroupBox1",   {273, 225, 119, 19}, "",    12, true,  0x000000, Qt::AlignHCenter},
    {"StaticText8",  "Label",      "GroupBox1",   {278, 230, 119, 19}, "",    12, true,  0x000000, Qt::AlignHCenter},
    {"StaticText1",  "Label",      kNoParent,     {158, 48, 23, 25},   "年",  24, false, 0x000000, Qt::AlignLeft},
    {"EditField1",   "TextField",  kNoParent,     {65, 48, 81, 28},    "",    20, false, 0,        Qt::AlignLeft},  // entered as the window opens
    {"EditField2",   "TextField",  kNoParent,     {193, 48, 43, 28},   "",    20, false, 0,        Qt::AlignLeft},
    {"EditField3",   "TextField",  kNoParent,     {279, 48, 43, 28},   "",    20, false, 0,        Qt::AlignLeft},
    {"StaticText2",  "Label",      kNoParent,     {244, 49, 23, 25},   "月",  24, false, 0x000000, Qt::AlignLeft},
    {"StaticText3",  "Label",      kNoParent,     {326, 49, 23, 25},   "日",  24, false, 0x000000, Qt::AlignLeft},
    {"StaticText5",  "Label",      kNoParent,     {58, 10, 319, 27},   "生年月日を入力してください。", 24, false, 0x000000, Qt::AlignLeft},
    {"StaticText6",  "Label",      kNoParent,     {19, 84, 397, 51},   "",    16, false, 0x000000, Qt::AlignHCenter},
    {"PushButton2",  "PushButton", "StaticText6", {322, 113, 69, 20},  "計算", 12, false, 0,       Qt::AlignLeft},
    {"PushButton1",  "PushButton", kNoParent,     {323, 256, 69, 20},  "終了", 12, false, 0,       Qt::AlignLeft},
    {"StaticText9",  "Label",      kNoParent,     {39, 261, 262, 20},  "Version " NANSAI_VERSION, 9, false, 0xB2B2B2, Qt::AlignLeft},
    {"StaticText10", "Label",      kNoParent,     {39, 251, 291, 15},  "※和暦、月の日数は簡易仕様です。ご注意ください。", 10, false, 0xFF200B, Qt::AlignLeft},
};
// clang-format on

QString TextOf(const QWidget* w) {
  if (auto* label = qobject_cast<const QLabel*>(w))
    return label->text();
  if (auto* field = qobject_cast<const QLineEdit*>(w))
    return field->text();
  if (auto* button = qobject_cast<const QPushButton*>(w))
    return button->text();
  if (auto* box = qobject_cast<const QGroupBox*>(w))
    return box->title();
  return "<unknown widget>";
}

class WindowTest : public AppTest {
 protected:
  QWidget* content() const { return platform::NativeContentWidget(*window()); }
  QRect placeOf(const QWidget* w) const { return {w->mapTo(content(), QPoint(0, 0)), w->size()}; }
};

TEST_F(WindowTest, WindowIs437By296FixedAndTitled) {
  QMainWindow* native = platform::NativeWindowWidget(*window());
  EXPECT_EQ(native->windowTitle(), "何歳でしょうか？");
  EXPECT_EQ(content()->size(), QSize(437, 296));
  EXPECT_EQ(native->minimumSize(), native->maximumSize()) << "the window can be resized";
  const Qt::WindowFlags flags = native->windowFlags();
  EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
}

TEST_F(WindowTest, EachNameFindsItsControlAsDesigned) {
  for (const ControlCase& c : kControlCases) {
    SCOPED_TRACE(c.name);
    const auto control = window()->_ControlByName(c.name);
    ASSERT_TRUE(control);
    EXPECT_EQ(ClassNameOf(*control), c.cls);
    QWidget* w = platform::NativeWidget(*control);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->parentWidget(), c.parent ? widget(c.parent) : content());
    EXPECT_EQ(placeOf(w), c.rect);
    EXPECT_EQ(TextOf(w), QString::fromUtf8(c.text));
    EXPECT_EQ(w->font().pixelSize(), c.textSize);
    EXPECT_EQ(w->font().bold(), c.bold);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->isEnabled(), std::string_view(c.name) != "StaticText9");
    if (auto* label = qobject_cast<QLabel*>(w)) {
      EXPECT_EQ(label->palette().color(QPalette::Active, QPalette::WindowText).rgb() & 0xFFFFFF,
                c.colour);
      EXPECT_EQ(label->alignment() & Qt::AlignHorizontal_Mask, c.align);
      EXPECT_EQ(label->wordWrap(), std::string_view(c.name) == "StaticText6");
    }
    if (auto* field = qobject_cast<QLineEdit*>(w)) {
      EXPECT_EQ(field->alignment() & Qt::AlignHorizontal_Mask, c.align);
    }
  }
}

TEST_F(WindowTest, MonthsResultAndItsShadowShareOneHelpTag) {
  ASSERT_NE(label("StaticText7"), nullptr);
  ASSERT_NE(label("StaticText8"), nullptr);
  const QString tip = label("StaticText7")->toolTip();
  EXPECT_FALSE(tip.isEmpty());
  EXPECT_EQ(label("StaticText8")->toolTip(), tip);
  for (const ControlCase& c : kControlCases) {
    const std::string_view name = c.name;
    if (name == "StaticText7" || name == "StaticText8")
      continue;
    ASSERT_NE(widget(c.name), nullptr) << name;
    EXPECT_TRUE(widget(c.name)->toolTip().isEmpty()) << name;
  }
}

// Long era texts wrap onto the label's second line, at whose right end the "計算" button lies in
// front of the label. Each year's text is drawn by the label alone and looked at there.
TEST_F(WindowTest, EraTextsStayClearOfTheCalculateButton) {
  QLabel* era = label("StaticText6");
  QWidget* calculate = widget("PushButton2");
  ASSERT_NE(era, nullptr);
  ASSERT_NE(calculate, nullptr);
  ASSERT_EQ(calculate->parentWidget(), era);
  const QRect underButton = calculate->geometry();
  const QRect secondLine(0, era->fontMetrics().height(), era->width(), era->height());
  QImage image(era->size(), QImage::Format_RGB32);
  const auto inked = [&image](const QRect& area) {
    for (int y = area.top(); y <= area.bottom() && y < image.height(); ++y)
      for (int x = area.left(); x <= area.right() && x < image.width(); ++x)
        if (image.pixel(x, y) != qRgb(255, 255, 255))
          return true;
    return false;
  };
  int wrapped = 0;
  std::vector<std::string> hidden;
  for (int year = 0; year <= 9999; ++year) {
    const std::string text =
        era::SeirekiWarekiChange(QString::asprintf("%04d", year).toStdString());
    window()->StaticText6()->SetText(text);
    image.fill(Qt::white);
    era->render(&image, QPoint(), QRegion(), {});  // no background, no button
    wrapped += inked(secondLine);
    if (inked(underButton))
      hidden.push_back(text);
  }
  EXPECT_GT(wrapped, 0) << "no text wrapped: the check saw no second line";
  EXPECT_TRUE(hidden.empty()) << hidden.size()
                              << " texts reach under the button, the first: " << hidden.front();
}

TEST_F(WindowTest, NeitherButtonIsDefault) {
  for (const char* name : {"PushButton1", "PushButton2"}) {
    EXPECT_FALSE(button(name)->isDefault()) << name;
    EXPECT_FALSE(button(name)->autoDefault()) << name;
  }
}

TEST_F(WindowTest, AccessorsReturnTheControlOfTheirName) {
  using Accessor = Control* (*)(const Window1&);
  const std::pair<const char*, Accessor> accessors[] = {
      {"GroupBox1", [](const Window1& w) -> Control* { return w.GroupBox1().get(); }},
      {"StaticText4", [](const Window1& w) -> Control* { return w.StaticText4().get(); }},
      {"StaticText7", [](const Window1& w) -> Control* { return w.StaticText7().get(); }},
      {"StaticText8", [](const Window1& w) -> Control* { return w.StaticText8().get(); }},
      {"StaticText1", [](const Window1& w) -> Control* { return w.StaticText1().get(); }},
      {"EditField1", [](const Window1& w) -> Control* { return w.EditField1().get(); }},
      {"EditField2", [](const Window1& w) -> Control* { return w.EditField2().get(); }},
      {"EditField3", [](const Window1& w) -> Control* { return w.EditField3().get(); }},
      {"StaticText2", [](const Window1& w) -> Control* { return w.StaticText2().get(); }},
      {"StaticText3", [](const Window1& w) -> Control* { return w.StaticText3().get(); }},
      {"StaticText5", [](const Window1& w) -> Control* { return w.StaticText5().get(); }},
      {"StaticText6", [](const Window1& w) -> Control* { return w.StaticText6().get(); }},
      {"PushButton2", [](const Window1& w) -> Control* { return w.PushButton2().get(); }},
      {"PushButton1", [](const Window1& w) -> Control* { return w.PushButton1().get(); }},
      {"StaticText9", [](const Window1& w) -> Control* { return w.StaticText9().get(); }},
      {"StaticText10", [](const Window1& w) -> Control* { return w.StaticText10().get(); }},
  };
  for (const auto& [name, accessor] : accessors) {
    const Control* found = accessor(*window());
    EXPECT_NE(found, nullptr) << name;
    EXPECT_EQ(found, window()->_ControlByName(name).get()) << name;
  }
}

TEST_F(WindowTest, FieldsHaveFourHandlersButtonsOneLabelsNone) {
  const std::set<int> kField{platform::TextField::kKeyDown, platform::TextField::kGotFocus,
                             platform::TextField::kLostFocus, platform::TextField::kTextChange};
  const std::set<int> kButton{platform::PushButton::kAction};
  for (const ControlCase& c : kControlCases) {
    const std::string_view cls = c.cls;
    const std::set<int>& expected =
        cls == "TextField" ? kField : (cls == "PushButton" ? kButton : std::set<int>{});
    const auto control = window()->_ControlByName(c.name);
    for (int event = 0; event <= 40; ++event) {
      EXPECT_EQ(control->HasEventHandler(event), expected.contains(event))
          << c.name << " event " << event;
    }
  }
}

TEST_F(WindowTest, BuildingTheWindowRanNoHandler) {
  for (const char* name : {"StaticText4", "StaticText7", "StaticText6"}) {
    EXPECT_TRUE(label(name)->text().isEmpty()) << name;
  }
  for (int n = 1; n <= 3; ++n) {
    EXPECT_TRUE(field(n)->text().isEmpty()) << n;
  }
  EXPECT_FALSE(platform::testing::QuitRequested());
  EXPECT_EQ(beeps(), 0);
  EXPECT_EQ(platform::testing::TakePendingException(), nullptr);
}

TEST_F(WindowTest, QuitButtonHandlerIgnoresItsArgument) {
  window()->PushButton1_Action(nullptr);
  EXPECT_TRUE(platform::testing::QuitRequested());
  EXPECT_EQ(platform::testing::QuitCode(), 0);
}

TEST_F(WindowTest, ADelegateOfTheWrongSignatureIsRefused) {
  EXPECT_THROW(
      platform::RuntimeCreateDelegate(window(), &Window1::PushButton1_Action, "( TextField )"),
      platform::DelegateSignatureException);

  // A well-formed delegate of a button's handler on a field's event.
  const auto stray = window()->__New<platform::TextField>();
  stray->Constructor();
  const auto buttonHandler =
      platform::RuntimeCreateDelegate(window(), &Window1::PushButton1_Action, "( PushButton )");
  try {
    platform::RuntimeAddEventHandler(stray, platform::TextField::kGotFocus, buttonHandler);
    ADD_FAILURE() << "a button handler was attached to a text field's GotFocus";
  } catch (const platform::DelegateSignatureException& e) {
    const std::string message = e.what();
    EXPECT_NE(message.find("( PushButton )"), std::string::npos) << message;
    EXPECT_NE(message.find("( TextField )"), std::string::npos) << message;
  }
  EXPECT_FALSE(stray->HasEventHandler(platform::TextField::kGotFocus));
}

TEST_F(WindowTest, AMalformedPropertyListIsRefusedBeforeAnythingApplies) {
  using List = platform::PropertyList<64>;
  const auto label = window()->StaticText5();
  const platform::String before = label->Text();
  struct Case {
    const char* what;
    std::string bytes;
  };
  const std::string good(List{}.Text("Text", "changed").View());
  const Case cases[] = {
      {"a value cut short", good + std::string(List{}.Int("TextAlign", 1).View().substr(0, 12))},
      {"a key of another class", good + std::string(List{}.Text("Caption", "x").View())},
      {"a Boolean that is not 0 or 1", good + "Multiline \x02"},
      {"a key given twice", good + good},
  };
  for (const Case& c : cases) {
    EXPECT_THROW(window()->_SetProperties(label, c.bytes), platform::PropertyListException)
        << c.what;
    EXPECT_EQ(label->Text(), before) << c.what;
  }
}

// ---- The class table ----------------------------------------------------------------------

TEST_F(WindowTest, ClassTableListsTheMembersInMethodTableOrder) {
  const platform::ClassTable* table = platform::RuntimeLookupClass("Window1.Window1");
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(&window()->ClassInfo(), table);
  ASSERT_NE(table->parent, nullptr);
  EXPECT_EQ(table->parent->name, "Window");
  ASSERT_EQ(table->attributes.size(), 1u);
  EXPECT_EQ(table->attributes[0].name, "__Scope");
  EXPECT_EQ(table->attributes[0].value, "Public");
  EXPECT_EQ(table->eventHooks, (std::vector<std::pair<platform::String, platform::String>>{
                                   {"Layout", "Layout"},
                                   {"CreateControls", "CreateControls"},
                                   {"AddMenuHandlers", "AddMenuHandlers"},
                                   {"EnableMenuItems", "Event_EnableMenuItems"}}));

  const std::vector<platform::MethodInfo>& methods = table->methods;
  ASSERT_EQ(methods.size(), 48u);
  std::set<platform::String> names;
  for (const platform::MethodInfo& m : methods) {
    EXPECT_TRUE(names.insert(m.name).second) << m.name << " twice";
    const bool hidden = m.name == "_CreateControls0";
    ASSERT_EQ(m.attributes.size(), hidden ? 2u : 1u) << m.name;
    EXPECT_EQ(m.attributes[0].name, "__Scope");
    EXPECT_EQ(m.attributes[0].value, "Public");
    if (hidden) {
      EXPECT_EQ(m.attributes[1].name, "Hidden");
    }
  }
  EXPECT_EQ(methods[0].name, "Layout");
  EXPECT_EQ(methods[1].name, "CreateControls");
  EXPECT_EQ(methods[2].name, "_CreateControls0");
  // Members 4 to 19: the accessors, in creation order, each typed as its control.
  for (std::size_t i = 0; i < std::size(kControlCases); ++i) {
    const platform::MethodInfo& accessor = methods[3 + i];
    EXPECT_EQ(accessor.name, kControlCases[i].name);
    EXPECT_EQ(accessor.signature, "(  ) as " + std::string(kControlCases[i].cls));
  }
  EXPECT_EQ(methods[19].name, "EditField1_LostFocus");
  EXPECT_EQ(methods[32].name, "PushButton1_Action");
  EXPECT_EQ(methods[33].name, "EditMenu");
  EXPECT_EQ(methods[41].name, "FileQuitMenuItem");
  EXPECT_EQ(methods[41].signature, "( Int32 ) as MenuBar");
  EXPECT_EQ(methods[44].name, "AddMenuHandlers");
  EXPECT_EQ(methods[47].name, "_keisanMenuItem_Action");
  EXPECT_EQ(methods[47].signature, "(  ) as Boolean");
}

TEST_F(WindowTest, HandlerSignaturesInTheClassTableAreTheirEvents) {
  const platform::ClassTable& table = window()->ClassInfo();
  int handlers = 0;
  for (const platform::MethodInfo& m : table.methods) {
    const auto underscore = m.name.rfind('_');
    if (underscore == platform::String::npos || underscore == 0)
      continue;
    const platform::String control = m.name.substr(0, underscore);
    const platform::String event = m.name.substr(underscore + 1);
    const auto found = window()->_ControlByName(control);
    if (!found)
      continue;
    const platform::EventInfo* info = nullptr;
    for (const platform::ClassTable* level = &found->ClassInfo(); level && !info;
         level = level->parent) {
      for (const platform::EventInfo& e : level->events) {
        if (e.name == event)
          info = &e;
      }
    }
    ASSERT_NE(info, nullptr) << m.name;
    EXPECT_EQ(m.signature, info->signature) << m.name;
    ++handlers;
  }
  EXPECT_EQ(handlers, 14);
}

// ---- The design-time lists ----------------------------------------------------------------

// Each list names every key of its class once, in the class's order, starting with the
// control's own name and no control-array index.
TEST(LayoutTest, ListsGiveEveryKeyOfTheirClassInOrder) {
  namespace layout = app::layout;
  struct Case {
    const char* name;
    std::string_view list;
    platform::PropertySchema schema;
  };
  const auto label = platform::LabelPropertySchema();
  const auto field = platform::TextFieldPropertySchema();
  const auto button = platform::PushButtonPropertySchema();
  const Case cases[] = {
      {"Window1", layout::kWindow1.View(), platform::WindowPropertySchema()},
      {"GroupBox1", layout::kGroupBox1.View(), platform::GroupBoxPropertySchema()},
      {"StaticText4", layout::kStaticText4.View(), label},
      {"StaticText7", layout::kStaticText7.View(), label},
      {"StaticText8", layout::kStaticText8.View(), label},
      {"StaticText1", layout::kStaticText1.View(), label},
      {"EditField1", layout::kEditField1.View(), field},
      {"EditField2", layout::kEditField2.View(), field},
      {"EditField3", layout::kEditField3.View(), field},
      {"StaticText2", layout::kStaticText2.View(), label},
      {"StaticText3", layout::kStaticText3.View(), label},
      {"StaticText5", layout::kStaticText5.View(), label},
      {"StaticText6", layout::kStaticText6.View(), label},
      {"PushButton2", layout::kPushButton2.View(), button},
      {"PushButton1", layout::kPushButton1.View(), button},
      {"StaticText9", layout::kStaticText9.View(), label},
      {"StaticText10", layout::kStaticText10.View(), label},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto properties = platform::ParsePropertyList(c.list, c.schema, c.name);
    ASSERT_EQ(properties.size(), c.schema.size());
    for (std::size_t i = 0; i < properties.size(); ++i) {
      EXPECT_EQ(properties[i].key, c.schema[i].key);
    }
    if (std::string_view(c.name) == "Window1")
      continue;
    EXPECT_EQ(std::get<platform::String>(properties[0].value), c.name);
    EXPECT_EQ(std::get<std::int32_t>(properties[1].value), INT32_MIN);
  }
}

}  // namespace
