#include <windows.h>

#include <QWidget>

#include "ui/MessageBoxes.h"

namespace {

UINT StyleOf(const MessageRequest& request) {
  UINT style = MB_SYSTEMMODAL | MB_SETFOREGROUND | MB_TOPMOST;
  switch (request.buttons) {
    case MessageButtons::OkCancel:
      style |= MB_OKCANCEL;
      break;
    case MessageButtons::YesNo:
      style |= MB_YESNO;
      break;
    case MessageButtons::Ok:
      break;
  }
  switch (request.icon) {
    case MessageIcon::Critical:
      style |= MB_ICONERROR;
      break;
    case MessageIcon::Question:
      style |= MB_ICONQUESTION;
      break;
    case MessageIcon::Exclamation:
      style |= MB_ICONWARNING;
      break;
    case MessageIcon::Information:
      style |= MB_ICONINFORMATION;
      break;
    case MessageIcon::None:
      break;
  }
  return style;
}

}  // namespace

// The system's own system-modal box: above every program's windows, whatever has the
// focus. Its loop still delivers Qt's timers, so the check goes on while it is up.
std::optional<MessageAnswer> QtMessageBoxes::SystemModalBox(QWidget* parent, const MessageRequest& request) {
  HWND owner = parent && parent->window()->isVisible() ? reinterpret_cast<HWND>(parent->window()->winId()) : nullptr;
  const std::wstring text = request.text.toStdWString(), title = request.title.toStdWString();
  switch (MessageBoxW(owner, text.c_str(), title.c_str(), StyleOf(request))) {
    case IDCANCEL:
      return MessageAnswer::Cancel;
    case IDYES:
      return MessageAnswer::Yes;
    case IDNO:
      return MessageAnswer::No;
    default:
      return MessageAnswer::Ok;
  }
}
