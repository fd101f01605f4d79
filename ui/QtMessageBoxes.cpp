#include <QMessageBox>

#include "ui/MessageBoxes.h"

namespace {

QMessageBox::Icon IconOf(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Critical:
      return QMessageBox::Critical;
    case MessageIcon::Question:
      return QMessageBox::Question;
    case MessageIcon::Exclamation:
      return QMessageBox::Warning;
    case MessageIcon::Information:
      return QMessageBox::Information;
    case MessageIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ButtonsOf(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::OkCancel:
      return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::Ok:
      break;
  }
  return QMessageBox::Ok;
}

}  // namespace

MessageAnswer QtMessageBoxes::Show(QWidget* parent, const MessageRequest& request) {
  if (request.systemModal)
    if (std::optional<MessageAnswer> answer = SystemModalBox(parent, request)) return *answer;
  QMessageBox box(IconOf(request.icon), request.title, request.text, ButtonsOf(request.buttons), parent);
  // The text is often a reminder's own text or a path: never read it as markup.
  box.setTextFormat(Qt::PlainText);
  box.setObjectName("MessageBox");
  box.setAccessibleName(request.title);
  // Where the system has no modal box of its own, the box blocks the program's windows
  // and asks the window manager to keep it above all others.
  if (request.systemModal) {
    box.setWindowModality(Qt::ApplicationModal);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
  }
  switch (box.exec()) {
    case QMessageBox::Cancel:
      return MessageAnswer::Cancel;
    case QMessageBox::Yes:
      return MessageAnswer::Yes;
    case QMessageBox::No:
      return MessageAnswer::No;
    default:
      return MessageAnswer::Ok;
  }
}
