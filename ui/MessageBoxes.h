#pragma once

#include <QString>
#include <functional>

class QMessageBox;
class QWidget;

enum class MessageIcon { None, Critical, Question, Exclamation, Information };
enum class MessageButtons { Ok, OkCancel, YesNo };
enum class MessageAnswer { Ok, Cancel, Yes, No };

struct MessageRequest {
  QString text;
  QString title;
  MessageButtons buttons = MessageButtons::Ok;
  MessageIcon icon = MessageIcon::None;
  // Application-modal and above every other window.
  bool systemModal = false;
};

// Message boxes, behind an interface so that tests can answer them.
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // Waits until the user answers.
  virtual MessageAnswer Show(QWidget* parent, const MessageRequest& request) = 0;
};

class QtMessageBoxes final : public MessageBoxes {
 public:
  MessageAnswer Show(QWidget* parent, const MessageRequest& request) override;

 private:
  // Each system's own way: a Qt box kept on top on Linux, the system's box on Windows.
  static MessageAnswer ShowSystemModal(QWidget* parent, const MessageRequest& request);
  static MessageAnswer ShowQtBox(QWidget* parent, const MessageRequest& request,
                                 const std::function<void(QMessageBox&)>& prepare);
};
