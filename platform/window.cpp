// Windows on Qt Widgets: construction, the open implicit windows, closing, controls by name and
// the design-time property lists.
#include "platform/window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <limits>
#include <optional>
#include <span>

#include "platform/internal.h"
#include "platform/native.h"
#include "platform/native_impl.h"
#include "platform/properties.h"

namespace platform {
namespace {

std::vector<Ref<Window>>& OpenWindows() {
  static std::vector<Ref<Window>> windows;
  return windows;
}

// A closed window goes on the event loop's next turn: it may be closed from inside one of its
// own handlers, whose widget must outlive the call.
std::vector<Ref<Window>>& ClosedWindows() {
  static std::vector<Ref<Window>> windows;
  return windows;
}

void ReleaseClosedWindows() {
  std::vector<Ref<Window>> closed;
  closed.swap(ClosedWindows());
}

void ApplyFrame(NativeWindow& native) {
  const WindowFrame& frame = native.frame;
  MainWindow& main = *native.main;
  QWidget& content = *native.content;
  Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  flags.setFlag(Qt::WindowCloseButtonHint, frame.closeButton);
  flags.setFlag(Qt::WindowMinimizeButtonHint, frame.minimizeButton);
  flags.setFlag(Qt::WindowMaximizeButtonHint, frame.maximizeButton);
  const bool shown = main.isVisible();
  main.setWindowFlags(flags);  // hides the window
  content.setFixedSize(frame.width, frame.height);
  if (frame.resizeable) {
    main.layout()->setSizeConstraint(QLayout::SetDefaultConstraint);
    main.adjustSize();  // opens at the given size, then follows the limits
    content.setMinimumSize(frame.minWidth, frame.minHeight);
    content.setMaximumSize(frame.maxWidth, frame.maxHeight);
    main.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  } else {
    main.layout()->setSizeConstraint(QLayout::SetFixedSize);
  }
  if (shown) {
    main.show();
  }
}

// ---- Design-time property lists -----------------------------------------------------------
// A list is turned into a plan first, every value checked on the way; only a complete plan is
// carried out, so a list with one bad value changes nothing.

std::int32_t Int(const Property& p) {
  return std::get<std::int32_t>(p.value);
}
bool Bool(const Property& p) {
  return std::get<bool>(p.value);
}
const String& Utf8(const Property& p) {
  return std::get<String>(p.value);
}
QString Text(const Property& p) {
  return QString::fromStdString(Utf8(p));
}
QColor Color(const Property& p) {
  const auto& colour = std::get<Colour>(p.value);
  return QColor(colour.red, colour.green, colour.blue);
}

std::int32_t Extent(const Property& p) {
  if (Int(p) < 0) {
    throw PropertyListException(p.key + " " + std::to_string(Int(p)) + " is negative");
  }
  return Int(p);
}

template <class Plan>
struct Rule {
  std::string_view key;
  void (*plan)(Plan&, const Property&);  // nullptr: accepted, without effect here
};

template <class Plan>
void PlanAll(Plan& plan, const std::vector<Property>& list, std::span<const Rule<Plan>> rules) {
  for (const Property& property : list) {
    auto rule = std::ranges::find(rules, property.key, &Rule<Plan>::key);
    if (rule == rules.end()) {
      throw UnsupportedOperationException("the property " + property.key + " has no meaning here");
    }
    if (rule->plan) {
      rule->plan(plan, property);
    }
  }
}

// For keys whose other values would ask for what this platform does not do.
template <class Plan, auto kOnly>
void Only(Plan&, const Property& p) {
  if (std::get<decltype(kOnly)>(p.value) != kOnly) {
    throw UnsupportedOperationException("the property " + p.key +
                                        " is supported at its default value only");
  }
}

struct WindowPlan {
  WindowFrame frame;
  std::optional<QString> title{};
  std::optional<bool> visible{}, hasBackColor{};
  std::optional<QColor> backColor{};
};

template <std::int32_t WindowFrame::*Field>
void FrameExtent(WindowPlan& plan, const Property& p) {
  plan.frame.*Field = Extent(p);
}
template <bool WindowFrame::*Field>
void FrameFlag(WindowPlan& plan, const Property& p) {
  plan.frame.*Field = Bool(p);
}

// Without effect: Placement (the window manager places new windows), Composite, LiveResize and
// MacProcID (nothing on this platform answers to them).
constexpr Rule<WindowPlan> kWindowRules[] = {
    {"Placement", nullptr},
    {"Width", FrameExtent<&WindowFrame::width>},
    {"Height", FrameExtent<&WindowFrame::height>},
    {"MinWidth", FrameExtent<&WindowFrame::minWidth>},
    {"MinHeight", FrameExtent<&WindowFrame::minHeight>},
    {"MaxWidth", FrameExtent<&WindowFrame::maxWidth>},
    {"MaxHeight", FrameExtent<&WindowFrame::maxHeight>},
    {"Frame", Only<WindowPlan, 0>},  // the document window
    {"Composite", nullptr},
    {"HasBackColor", [](WindowPlan& plan, const Property& p) { plan.hasBackColor = Bool(p); }},
    {"BackColor", [](WindowPlan& plan, const Property& p) { plan.backColor = Color(p); }},
    {"Title", [](WindowPlan& plan, const Property& p) { plan.title = Text(p); }},
    {"Visible", [](WindowPlan& plan, const Property& p) { plan.visible = Bool(p); }},
    {"FullScreen", Only<WindowPlan, false>},
    {"MenuBarVisible", Only<WindowPlan, true>},
    {"CloseButton", FrameFlag<&WindowFrame::closeButton>},
    {"Resizeable", FrameFlag<&WindowFrame::resizeable>},
    {"LiveResize", nullptr},
    {"MaximizeButton", FrameFlag<&WindowFrame::maximizeButton>},
    {"MinimizeButton", FrameFlag<&WindowFrame::minimizeButton>},
    {"MacProcID", nullptr},
};

void ApplyWindowList(Window& window, std::string_view list) {
  NativeWindow& native = window.Native();
  WindowPlan plan{native.frame};
  PlanAll<WindowPlan>(plan, ParsePropertyList(list, WindowPropertySchema(), Window::kClassName),
                      kWindowRules);
  native.frame = plan.frame;
  ApplyFrame(native);
  if (plan.title) {
    native.main->setWindowTitle(*plan.title);
  }
  if (plan.hasBackColor.value_or(false)) {
    QPalette palette = native.content->palette();
    palette.setColor(QPalette::Window, plan.backColor.value_or(Qt::white));
    native.content->setPalette(palette);
    native.content->setAutoFillBackground(true);
  }
  native.visible = plan.visible.value_or(native.visible);
  if (window.IsOpen()) {
    native.main->setVisible(native.visible);
  }
}

struct ControlPlan {
  Window& window;
  Control& control;
  QWidget& widget;
  QWidget& content;
  QRect rect;  // in the content area's coordinates, whatever the parent
  QWidget* parent = nullptr;
  std::optional<String> mask{};
  std::optional<std::int32_t> limit{};
  std::vector<std::function<void()>> steps{};
  std::optional<QFont> font{};

  template <class W, class F>
  void On(F change) {
    steps.push_back([&widget = static_cast<W&>(widget), change] { change(widget); });
  }
  // Font keys build one font, set once: every setFont resolves a font of its own.
  template <class F>
  void ChangeFont(F change) {
    if (!font) {
      font = widget.font();
    }
    change(*font);
  }
  void SetColour(QPalette::ColorRole role, QColor colour) {
    On<QWidget>([role, colour](QWidget& w) {
      QPalette palette = w.palette();
      palette.setColor(role, colour);
      w.setPalette(palette);
    });
  }
};

template <void (QRect::*Set)(int), std::int32_t (*Value)(const Property&)>
void Place(ControlPlan& plan, const Property& p) {
  (plan.rect.*Set)(Value(p));
}
template <class W, void (W::*Set)(bool)>
void WidgetFlag(ControlPlan& plan, const Property& p) {
  plan.On<W>([value = Bool(p)](W& w) { (w.*Set)(value); });
}
template <class W, void (W::*Set)(const QString&)>
void WidgetText(ControlPlan& plan, const Property& p) {
  plan.On<W>([value = Text(p)](W& w) { (w.*Set)(value); });
}
template <void (QFont::*Set)(bool)>
void FontFlag(ControlPlan& plan, const Property& p) {
  plan.ChangeFont([value = Bool(p)](QFont& font) { (font.*Set)(value); });
}

void SetWidgetText(QWidget& widget, const QString& text) {
  if (auto* label = qobject_cast<QLabel*>(&widget)) {
    label->setText(text);
  } else if (auto* edit = qobject_cast<QLineEdit*>(&widget)) {
    edit->setText(text);
  } else if (auto* button = qobject_cast<QPushButton*>(&widget)) {
    button->setText(text);
  } else if (auto* box = qobject_cast<QGroupBox*>(&widget)) {
    box->setTitle(text);
  }
}

void PlanText(ControlPlan& plan, const Property& p) {
  plan.On<QWidget>([text = Text(p)](QWidget& w) { SetWidgetText(w, text); });
}

void PlanName(ControlPlan& plan, const Property& p) {
  if (Utf8(p) != plan.control.Name()) {
    throw PropertyListException("the list names \"" + Utf8(p) +
                                "\" but the control is registered as \"" + plan.control.Name() +
                                "\"");
  }
}

void PlanParent(ControlPlan& plan, const Property& p) {
  const String& name = Utf8(p);
  if (name.empty()) {
    plan.parent = &plan.content;
    return;
  }
  Ref<Control> parent = plan.window._ControlByName(name);
  QWidget* widget = parent ? NativeWidget(*parent) : nullptr;
  if (!widget || widget == &plan.widget || plan.widget.isAncestorOf(widget)) {
    throw PropertyListException("InitialParent \"" + name + "\" of " + plan.control.Name() +
                                " names no other control of the window");
  }
  plan.parent = widget;
}

void PlanAlignment(ControlPlan& plan, const Property& p) {
  const std::int32_t code = Int(p);
  if (!TextFieldAlignment(code)) {
    throw PropertyListException("Alignment " + std::to_string(code) + " is not one of 0 to 3");
  }
  plan.steps.push_back(
      [&field = static_cast<TextField&>(plan.control), code] { field.SetAlignment(code); });
}

void PlanTextAlign(ControlPlan& plan, const Property& p) {
  const auto alignment = LabelAlignment(Int(p));
  if (!alignment) {
    throw PropertyListException("TextAlign " + std::to_string(Int(p)) + " is not one of 0 to 2");
  }
  plan.On<QLabel>([alignment = *alignment](QLabel& label) { label.setAlignment(alignment); });
}

void PlanTabStop(ControlPlan& plan, const Property& p) {
  const bool button = qobject_cast<QPushButton*>(&plan.widget) != nullptr;
  const Qt::FocusPolicy policy =
      Bool(p) ? (button ? Qt::TabFocus : Qt::StrongFocus) : (button ? Qt::NoFocus : Qt::ClickFocus);
  plan.On<QWidget>([policy](QWidget& w) { w.setFocusPolicy(policy); });
}

void PlanTextColor(ControlPlan& plan, const Property& p) {
  const bool field = qobject_cast<QLineEdit*>(&plan.widget) != nullptr;
  plan.SetColour(field ? QPalette::Text : QPalette::WindowText, Color(p));
}

void PlanVisible(ControlPlan& plan, const Property& p) {
  plan.steps.push_back([&plan, visible = Bool(p)] { plan.control.Native().visible = visible; });
}

void PlanFont(ControlPlan& plan, const Property& p) {
  plan.ChangeFont([family = Text(p)](QFont& font) {
    if (!family.isEmpty()) {
      font.setFamily(family);
    }
  });
}

void PlanFormat(ControlPlan&, const Property& p) {
  if (!Utf8(p).empty()) {
    throw UnsupportedOperationException("Format \"" + Utf8(p) + "\": display formats of fields");
  }
}

constexpr std::int32_t kNoIndex = std::numeric_limits<std::int32_t>::min();

// One table for the four classes: each class's schema decides which keys its lists may hold.
// Without effect: LockLeft, LockTop, LockRight and LockBottom (windows keep their size),
// TabPanelIndex (no tab panels), TabIndex (the focus chain follows creation order),
// UseFocusRing and AutomaticallyCheckSpelling (no such feature here), AutoDeactivate,
// Transparent (labels never paint a background), DataSource and DataField (no data binding).
constexpr Rule<ControlPlan> kControlRules[] = {
    {"Name", PlanName},
    {"Index", Only<ControlPlan, kNoIndex>},  // no control arrays
    {"Left", Place<&QRect::moveLeft, Int>},
    {"Top", Place<&QRect::moveTop, Int>},
    {"Width", Place<&QRect::setWidth, Extent>},
    {"Height", Place<&QRect::setHeight, Extent>},
    {"LockLeft", nullptr},
    {"LockTop", nullptr},
    {"LockRight", nullptr},
    {"LockBottom", nullptr},
    {"TabPanelIndex", nullptr},
    {"TabIndex", nullptr},
    {"TabStop", PlanTabStop},
    {"Border", WidgetFlag<QLineEdit, &QLineEdit::setFrame>},
    {"Password",
     [](ControlPlan& plan, const Property& p) {
       plan.On<QLineEdit>([echo = Bool(p) ? QLineEdit::Password : QLineEdit::Normal](
                              QLineEdit& edit) { edit.setEchoMode(echo); });
     }},
    {"UseFocusRing", nullptr},
    {"TextColor", PlanTextColor},
    {"BackColor",
     [](ControlPlan& plan, const Property& p) { plan.SetColour(QPalette::Base, Color(p)); }},
    {"Enabled", WidgetFlag<QWidget, &QWidget::setEnabled>},
    {"Format", PlanFormat},
    {"Visible", PlanVisible},
    {"HelpTag", WidgetText<QWidget, &QWidget::setToolTip>},
    {"AutoDeactivate", nullptr},
    {"TextFont", PlanFont},
    {"Bold", FontFlag<&QFont::setBold>},
    {"Italic", FontFlag<&QFont::setItalic>},
    {"Underline", FontFlag<&QFont::setUnderline>},
    {"CueText", WidgetText<QLineEdit, &QLineEdit::setPlaceholderText>},
    {"Text", PlanText},
    {"Caption", PlanText},
    {"Mask", [](ControlPlan& plan, const Property& p) { plan.mask = Utf8(p); }},
    {"ReadOnly", WidgetFlag<QLineEdit, &QLineEdit::setReadOnly>},
    {"LimitText", [](ControlPlan& plan, const Property& p) { plan.limit = Int(p); }},
    {"AcceptTabs", Only<ControlPlan, false>},  // Tab belongs to KeyDown
    {"Alignment", PlanAlignment},
    {"AutomaticallyCheckSpelling", nullptr},
    {"DataSource", nullptr},
    {"DataField", nullptr},
    {"InitialParent", PlanParent},
    {"TextAlign", PlanTextAlign},
    {"Multiline", WidgetFlag<QLabel, &QLabel::setWordWrap>},
    {"Selectable",
     [](ControlPlan& plan, const Property& p) {
       plan.On<QLabel>([flags = Bool(p) ? Qt::TextSelectableByMouse : Qt::NoTextInteraction](
                           QLabel& label) { label.setTextInteractionFlags(flags); });
     }},
    {"Transparent", nullptr},
    {"Default", Only<ControlPlan, false>},
    {"Cancel", Only<ControlPlan, false>},
    {"ButtonStyle", Only<ControlPlan, 0>},
};

// The place, the parent and the input rules take several keys together: they come last.
void ApplyGeometryAndMask(ControlPlan& plan) {
  std::unique_ptr<QValidator> validator;
  if (plan.mask || plan.limit) {
    validator = MaskValidator(plan.mask.value_or(""), plan.limit.value_or(0));
  }
  for (const auto& step : plan.steps) {
    step();
  }
  if (plan.font) {
    plan.widget.setFont(*plan.font);
  }
  QWidget& widget = plan.widget;
  if (plan.parent && plan.parent != widget.parentWidget()) {
    widget.setParent(plan.parent);
  }
  QWidget& holder = *widget.parentWidget();
  widget.setGeometry(QRect(holder.mapFrom(&plan.content, plan.rect.topLeft()), plan.rect.size()));
  // Only once placed: showing an unplaced widget sizes it to its hint, which costs a font load.
  widget.setVisible(plan.control.Native().visible);
  if (plan.mask || plan.limit) {
    auto& edit = static_cast<QLineEdit&>(widget);
    delete edit.validator();
    if (validator) {
      validator->setParent(&edit);
    }
    edit.setValidator(validator.release());
  }
}

template <class T>
bool Is(const Control& control) {
  return dynamic_cast<const T*>(&control) != nullptr;
}

struct ControlSchema {
  std::string_view className;
  PropertySchema (*schema)();
  bool (*is)(const Control&);
};
constexpr ControlSchema kControlSchemas[] = {
    {TextField::kClassName, TextFieldPropertySchema, Is<TextField>},
    {Label::kClassName, LabelPropertySchema, Is<Label>},
    {PushButton::kClassName, PushButtonPropertySchema, Is<PushButton>},
    {GroupBox::kClassName, GroupBoxPropertySchema, Is<GroupBox>},
};

void ApplyControlList(Window& window, Control& control, std::string_view list) {
  auto schema = std::ranges::find_if(kControlSchemas, [&](const auto& s) { return s.is(control); });
  if (schema == std::end(kControlSchemas)) {
    throw UnsupportedOperationException(ClassNameOf(control) + " has no design-time properties");
  }
  QWidget& widget = WidgetOf(control);
  QWidget& content = ContentOf(window);
  ControlPlan plan{window, control, widget, content,
                   QRect(widget.mapTo(&content, QPoint()), widget.size())};
  PlanAll<ControlPlan>(plan, ParsePropertyList(list, schema->schema(), schema->className),
                       kControlRules);
  ApplyGeometryAndMask(plan);
}

}  // namespace

// ---- Native glue --------------------------------------------------------------------------

QWidget& ContentOf(const Window& window) {
  QWidget* content = window.Native().content;
  if (!content) {
    throw UnsupportedOperationException("the window's Constructor has not run");
  }
  return *content;
}

QMainWindow* NativeWindowWidget(const Window& window) {
  return window.Native().main.get();
}
QWidget* NativeContentWidget(const Window& window) {
  return window.Native().content;
}

MainWindow::MainWindow(Window& owner) : owner_(owner) {
  // The framework, not Qt, ends the loop when the last window closes (NativeWindow::Closed).
  setAttribute(Qt::WA_QuitOnClose, false);
  qApp->installEventFilter(this);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  QMainWindow::closeEvent(event);
  NativeWindow::Closed(owner_);
}

void NativeWindow::Closed(Window& window) {
  auto& open = OpenWindows();
  auto found = std::ranges::find(open, &window, &Ref<Window>::get);
  if (found == open.end()) {
    return;
  }
  ClosedWindows().push_back(std::move(*found));
  open.erase(found);
  QTimer::singleShot(0, qApp, ReleaseClosedWindows);
  // With no window left the framework ends the application itself, with code 0. No application
  // code runs on that account: Close is the event of the system asking to quit (SIGTERM, SIGINT).
  if (open.empty()) {
    Quit(0);
  }
}

void internal::ReleaseWindows() {
  std::vector<Ref<Window>> open;
  open.swap(OpenWindows());
  ReleaseClosedWindows();
}

// ---- Window -------------------------------------------------------------------------------

Window::Window() : native_(std::make_unique<NativeWindow>()) {}

// The widgets go first, at once, while every control they call back still exists.
Window::~Window() {
  native_.reset();
}

void Window::Constructor() {
  if (native_->main) {
    throw UnsupportedOperationException("Window::Constructor ran twice");
  }
  internal::RequireToolkit("Window::Constructor");
  native_->main = std::make_unique<MainWindow>(*this);
  native_->content = new QWidget;
  native_->main->setCentralWidget(native_->content);
  ApplyFrame(*native_);
  if (menuBar_) {
    NativeWindow::BuildMenus(*this);
  }
  Ref<Window> self = std::static_pointer_cast<Window>(shared_from_this());
  Layout();
  CreateControls();
  AddMenuHandlers(self);
  OpenWindows().push_back(self);
  native_->main->setVisible(native_->visible);
}

Ref<Window> Window::_GetImplicitWindow(std::string_view className) {
  for (const auto& window : OpenWindows()) {
    if (window->ClassInfo().name == className) {
      return window;
    }
  }
  return nullptr;
}

void Window::Adopt(Control& control) {
  control.owner_ = std::static_pointer_cast<Window>(shared_from_this());
}

void Window::_AddControl(const String& name, const Ref<Control>& control) {
  if (!control) {
    throw NilObjectException("_AddControl: the control " + name + " is nil");
  }
  if (control->Owner().get() != this) {
    throw UnsupportedOperationException("_AddControl: " + name + " was made for another window");
  }
  if (_ControlByName(name)) {
    throw UnsupportedOperationException("_AddControl: a second control named " + name);
  }
  control->name_ = name;
  if (QWidget* widget = NativeWidget(*control)) {
    widget->setObjectName(QString::fromStdString(name));
  }
  controls_.emplace_back(name, control);
}

Ref<Control> Window::_ControlByName(std::string_view name) const {
  auto found = std::ranges::find(controls_, name,
                                 [](const auto& entry) -> std::string_view { return entry.first; });
  return found == controls_.end() ? nullptr : found->second;
}

void Window::_SetProperties(const Ref<Object>& target, std::string_view list) {
  if (!target) {
    throw NilObjectException("_SetProperties: the target is nil");
  }
  ContentOf(*this);
  if (target.get() == this) {
    return ApplyWindowList(*this, list);
  }
  auto control = std::dynamic_pointer_cast<Control>(target);
  if (!control || control->Owner().get() != this) {
    throw UnsupportedOperationException("_SetProperties: " + ClassNameOf(*target) +
                                        " is neither this window nor one of its controls");
  }
  ApplyControlList(*this, *control, list);
}

bool Window::IsOpen() const noexcept {
  return std::ranges::any_of(OpenWindows(), [this](const auto& w) { return w.get() == this; });
}

void Window::Close() {
  if (native_->main) {
    native_->main->close();
  }
}

}  // namespace platform
