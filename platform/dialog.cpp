// Modal message dialogs on QMessageBox.
#include "platform/dialog.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <iterator>
#include <string>

#include "platform/internal.h"

namespace platform {
namespace {

// 0 note, 1 caution, 2 stop, 3 question.
constexpr QMessageBox::Icon kIcons[] = {QMessageBox::Information, QMessageBox::Warning,
                                        QMessageBox::Critical, QMessageBox::Question};

}  // namespace

MessageDialog::MessageDialog() : actionButton_(New<MessageDialogButton>()) {}

Ref<MessageDialogButton> MessageDialog::ShowModal() {
  if (icon_ < 0 || icon_ >= static_cast<std::int32_t>(std::size(kIcons))) {
    throw UnsupportedOperationException("MessageDialog icon code " + std::to_string(icon_) +
                                        " is not one of 0 to 3");
  }
  internal::RequireToolkit("MessageDialog::ShowModal");
  const QPointer<QWidget> active = QApplication::activeWindow();
  QMessageBox box(kIcons[icon_], QString::fromStdString(title_), QString::fromStdString(message_),
                  QMessageBox::NoButton, active);
  box.setTextFormat(Qt::PlainText);
  box.setInformativeText(QString::fromStdString(explanation_));
  box.addButton(QString::fromStdString(actionButton_->Caption()), QMessageBox::AcceptRole);
  box.exec();
  // No window is active after a modal box; the focus goes back to the field it left.
  if (active) {
    active->activateWindow();
  }
  return actionButton_;
}

}  // namespace platform
