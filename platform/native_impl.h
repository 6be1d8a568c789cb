// The toolkit side of windows and controls, shared by the layer's own files only.
#pragma once

#include <QClipboard>
#include <QLineEdit>
#include <QMainWindow>
#include <QPointer>
#include <QValidator>
#include <memory>
#include <optional>
#include <vector>

#include "platform/controls.h"
#include "platform/menu.h"
#include "platform/window.h"

class QAction;

namespace platform {

struct NativeControl {
  QPointer<QWidget> widget;  // owned by the window's widget tree; null before Constructor
  bool visible = true;       // the control's own Visible, kept when it moves to another parent
};

// The widget of a text field: KeyDown before the field's own handling of a key, the focus
// events, and plain Roman input once KeyScript(-17) asks for it.
class FieldEdit final : public QLineEdit {
 public:
  FieldEdit(TextField& field, QWidget* parent);
  void SelectRomanScript();
  // Pastes the clipboard or the X selection as one undo step, folded as typing is (Typed).
  void Paste(QClipboard::Mode mode);

 protected:
  bool event(QEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

 private:
  struct Selection {
    int start, length;
  };
  bool KeyDown(const QKeyEvent& event);
  bool IsMenuShortcut(const QKeyEvent& event) const;
  bool TakeFirstFocus();
  QString Typed(QString given) const;
  void SeparateUndoStep();
  TextField& field_;
  bool romanOnly_ = false;
  // What GotFocus selected when a click gave the focus, for that click's release alone.
  std::optional<Selection> focusSelection_;
};

class MainWindow final : public QMainWindow {
 public:
  explicit MainWindow(Window& owner);

 protected:
  void closeEvent(QCloseEvent* event) override;
  // Sees every ShortcutOverride: EnableMenuItems runs before one of our shortcuts is dispatched.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  Window& owner_;
};

// What the window's design-time list decides together: the content size and the frame.
struct WindowFrame {
  std::int32_t width = 600, height = 400;
  std::int32_t minWidth = 64, minHeight = 64;
  std::int32_t maxWidth = QWIDGETSIZE_MAX, maxHeight = QWIDGETSIZE_MAX;
  bool resizeable = true;
  bool closeButton = true;
  bool minimizeButton = true;
  bool maximizeButton = true;
};

struct MenuAction {
  Ref<MenuItem> item;
  QAction* action;  // owned by the window's menu bar
};

struct NativeWindow {
  std::unique_ptr<MainWindow> main;  // null until Window::Constructor
  QWidget* content = nullptr;        // the central widget: the controls' coordinate space
  WindowFrame frame;
  bool visible = true;
  bool fieldFocused = false;  // a text field of the window has had the focus
  std::vector<MenuAction> actions;

  // Menu glue (menu.cpp).
  static void BuildMenus(Window& window);
  static bool Activate(Window& window, const MenuItem& item);
  bool MatchesShortcut(const QKeyEvent& event) const;
  // window.cpp: the close button or Close().
  static void Closed(Window& window);
};

// The control's widget; NilObjectException before its Constructor or once its window is gone.
QWidget& WidgetOf(const Control& control);
// The window's content area; UnsupportedOperationException before Window::Constructor.
QWidget& ContentOf(const Window& window);
// The focused text field of the window, or nullptr.
FieldEdit* FocusedField(const Window& window);

// Alignment codes; nullopt for a code the class does not have.
std::optional<Qt::Alignment> TextFieldAlignment(std::int32_t code);
std::optional<Qt::Alignment> LabelAlignment(std::int32_t code);
// The validator that realises a Mask and LimitText. A mask of anything but '#' (a digit) throws
// UnsupportedOperationException.
std::unique_ptr<QValidator> MaskValidator(const String& mask, std::int32_t limit);

}  // namespace platform
