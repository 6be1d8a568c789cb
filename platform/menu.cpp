// Menu items and a window's menus on Qt: the item tree, shortcuts, EnableMenuItems before a menu
// opens or a shortcut is dispatched, the bound handlers and the standard Edit commands.
#include "platform/menu.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <algorithm>

#include "platform/internal.h"
#include "platform/native_impl.h"

namespace platform {
namespace {

// The first item below `root`, depth first in menu order, that `match` accepts; nil when none.
template <class Match>
Ref<MenuItem> FindBelow(const MenuItem& root, const Match& match) {
  for (std::int32_t i = 0; i < root.Count(); ++i) {
    Ref<MenuItem> item = root.Item(i);
    if (match(*item)) {
      return item;
    }
    if (Ref<MenuItem> found = FindBelow(*item, match)) {
      return found;
    }
  }
  return nullptr;
}

// Every item below `root`, depth first in menu order.
template <class Visit>
void ForEachBelow(const MenuItem& root, const Visit& visit) {
  FindBelow(root, [&visit](MenuItem& item) {
    visit(item);
    return false;
  });
}

bool IsSeparator(const MenuItem& item) {
  return item.Text() == "-";
}

// The framework's own Edit commands, which act on the window's focused text field.
struct EditCommand {
  std::string_view name;
  bool (*applies)(const FieldEdit&);
  void (*act)(FieldEdit&);
};
constexpr EditCommand kEditCommands[] = {
    {"EditUndo", [](const FieldEdit& e) { return e.isUndoAvailable(); },
     [](FieldEdit& e) { e.undo(); }},
    {"EditCut", [](const FieldEdit& e) { return e.hasSelectedText() && !e.isReadOnly(); },
     [](FieldEdit& e) { e.cut(); }},
    {"EditCopy", [](const FieldEdit& e) { return e.hasSelectedText(); },
     [](FieldEdit& e) { e.copy(); }},
    {"EditPaste",
     [](const FieldEdit& e) {
       return !e.isReadOnly() && !QGuiApplication::clipboard()->text().isEmpty();
     },
     [](FieldEdit& e) { e.Paste(QClipboard::Clipboard); }},
    {"EditClear", [](const FieldEdit& e) { return !e.text().isEmpty() && !e.isReadOnly(); },
     [](FieldEdit& e) { e.clear(); }},
};

const EditCommand* EditCommandNamed(std::string_view name) {
  auto found = std::ranges::find(kEditCommands, name, &EditCommand::name);
  return found == std::end(kEditCommands) ? nullptr : found;
}

// Qt reads a key name it does not know as Key_unknown rather than as an empty sequence.
bool Understood(const QKeySequence& sequence) {
  for (int i = 0; i < sequence.count(); ++i) {
    if (sequence[i].key() == Qt::Key_unknown) {
      return false;
    }
  }
  return !sequence.isEmpty();
}

QKeySequence KeySequenceOf(const MenuItem& item) {
  const String portable = ShortcutForPlatform(item.KeyboardShortcut());
  const QKeySequence sequence = QKeySequence::fromString(QString::fromStdString(portable));
  if (!portable.empty() && !Understood(sequence)) {
    throw UnsupportedOperationException("the shortcut \"" + item.KeyboardShortcut() + "\" of " +
                                        item.Name() + " is not understood");
  }
  return sequence;
}

QString Caption(const MenuItem& item) {
  return QString::fromStdString(item.Text()).replace('&', QStringLiteral("&&"));
}

void AddItems(Window& window, NativeWindow& native, QMenu& menu, const MenuItem& parent) {
  for (std::int32_t i = 0; i < parent.Count(); ++i) {
    Ref<MenuItem> item = parent.Item(i);
    if (IsSeparator(*item)) {
      menu.addSeparator();
      continue;
    }
    QAction* action = nullptr;
    if (item->Count() > 0) {
      QMenu* submenu = menu.addMenu(Caption(*item));
      AddItems(window, native, *submenu, *item);
      action = submenu->menuAction();
    } else {
      action = menu.addAction(Caption(*item));
      action->setShortcut(KeySequenceOf(*item));
      QObject::connect(action, &QAction::triggered, action,
                       [&window, item] { NativeWindow::Activate(window, *item); });
    }
    native.actions.push_back({item, action});
  }
}

void SyncActions(const NativeWindow& native) {
  for (const auto& [item, action] : native.actions) {
    action->setEnabled(item->Enabled());
  }
}

}  // namespace

// ---- MenuItem -----------------------------------------------------------------------------

void MenuItem::Append(const Ref<MenuItem>& item) {
  if (!item) {
    throw NilObjectException("Append: the menu item is nil");
  }
  // A cycle would make every walk of the tree endless.
  if (item.get() == this || FindBelow(*item, [this](const MenuItem& i) { return &i == this; })) {
    throw UnsupportedOperationException("Append: an item into itself or into one of its own items");
  }
  children_.push_back(item);
}

Ref<MenuItem> MenuItem::Item(std::int32_t position) const {
  if (position < 0 || position >= Count()) {
    return nullptr;
  }
  return children_[static_cast<std::size_t>(position)];
}

Ref<MenuItem> MenuItem::Child(std::string_view name) const {
  auto found = std::ranges::find_if(children_, [&](const auto& c) { return c->Name() == name; });
  return found == children_.end() ? nullptr : *found;
}

Ref<MenuItem> MenuItem::_Lookup(std::string_view name) const {
  return FindBelow(*this, [&](const MenuItem& item) { return item.Name() == name; });
}

Ref<MenuItem> MenuItem::_Lookup(std::string_view name, std::int32_t index) const {
  return FindBelow(
      *this, [&](const MenuItem& item) { return item.Name() == name && item.Index() == index; });
}

String ShortcutForPlatform(std::string_view shortcut) {
  constexpr std::string_view kCommand = "Cmd+", kControl = "Ctrl+";
  String portable(shortcut);
  for (auto at = portable.find(kCommand); at != String::npos;
       at = portable.find(kCommand, at + kControl.size())) {
    portable.replace(at, kCommand.size(), kControl);
  }
  return portable;
}

// ---- A window's menus ---------------------------------------------------------------------

void Window::SetMenuBar(Ref<platform::MenuBar> bar) {
  if (bar) {
    ForEachBelow(*bar, [](const MenuItem& item) { KeySequenceOf(item); });
  }
  menuBar_ = std::move(bar);
  if (native_->main) {
    NativeWindow::BuildMenus(*this);
  }
}

void NativeWindow::BuildMenus(Window& window) {
  NativeWindow& native = *window.native_;
  auto* bar = new QMenuBar;
  native.main->setMenuBar(bar);  // the old bar, if any, goes with its actions
  native.actions.clear();
  if (!window.menuBar_) {
    return;
  }
  for (std::int32_t i = 0; i < window.menuBar_->Count(); ++i) {
    Ref<MenuItem> item = window.menuBar_->Item(i);
    if (IsSeparator(*item)) {
      bar->addSeparator();
      continue;
    }
    QMenu* menu = bar->addMenu(Caption(*item));
    QObject::connect(menu, &QMenu::aboutToShow, menu, [&window] { window.UpdateMenuItems(); });
    native.actions.push_back({item, menu->menuAction()});
    AddItems(window, native, *menu, *item);
  }
  SyncActions(native);
}

bool NativeWindow::MatchesShortcut(const QKeyEvent& event) const {
  const QKeySequence pressed(event.keyCombination());
  return std::ranges::any_of(actions, [&](const MenuAction& entry) {
    return !entry.action->shortcut().isEmpty() && entry.action->shortcut() == pressed;
  });
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  // Qt passes the override up the parents too: react once, at the focus.
  if (event->type() == QEvent::ShortcutOverride &&
      watched == (focusWidget() ? focusWidget() : this) &&
      owner_.Native().MatchesShortcut(static_cast<const QKeyEvent&>(*event))) {
    owner_.UpdateMenuItems();
  }
  return QMainWindow::eventFilter(watched, event);
}

// Nothing else handles a menu command, so a handler's result has no further use.
bool NativeWindow::Activate(Window& window, const MenuItem& item) {
  if (!item.Enabled()) {
    return false;
  }
  if (auto bound = window.menuHandlers_.find(item.Name()); bound != window.menuHandlers_.end()) {
    EventArgs args;
    args.index = item.Index().value_or(0);
    const Delegate& handler = bound->second;
    internal::Dispatch([&] { return handler(args); });
    return true;
  }
  const EditCommand* command = EditCommandNamed(item.Name());
  FieldEdit* field = FocusedField(window);
  if (!command || !field) {
    return false;
  }
  command->act(*field);
  return true;
}

void Window::_AddMenuHandler(const String& itemName, Delegate handler) {
  const String& signature = handler.Signature();
  if (signature != detail::SignatureOf<bool>() &&
      signature != detail::SignatureOf<bool, std::int32_t>()) {
    throw DelegateSignatureException("the menu handler of " + itemName + " has the signature \"" +
                                     signature + "\", not \"" + detail::SignatureOf<bool>() +
                                     "\" or \"" + detail::SignatureOf<bool, std::int32_t>() + "\"");
  }
  if (!menuHandlers_.try_emplace(itemName, std::move(handler)).second) {
    throw EventBindingException("the menu item " + itemName + " already has a handler");
  }
}

void Window::UpdateMenuItems() {
  if (!menuBar_) {
    return;
  }
  const FieldEdit* field = FocusedField(*this);
  ForEachBelow(*menuBar_, [field](MenuItem& item) {
    const EditCommand* command = EditCommandNamed(item.Name());
    item.SetEnabled(command ? field && command->applies(*field) : item.AutoEnable());
  });
  internal::Dispatch([this] {
    Event_EnableMenuItems();
    return false;
  });
  SyncActions(*native_);
}

bool Window::ChooseMenuItem(std::string_view name, std::int32_t index) {
  if (!menuBar_) {
    throw NilObjectException("ChooseMenuItem: the window has no menu bar");
  }
  Ref<MenuItem> item = menuBar_->_Lookup(name, index);
  if (!item && index == 0) {  // an item of no set is chosen as 0
    item = FindBelow(*menuBar_, [&](const MenuItem& i) { return i.Name() == name && !i.Index(); });
  }
  if (!item) {
    throw UnsupportedOperationException("ChooseMenuItem: no menu item " + String(name) +
                                        " with index " + std::to_string(index));
  }
  UpdateMenuItems();
  return NativeWindow::Activate(*this, *item);
}

}  // namespace platform
