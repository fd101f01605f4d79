#pragma once

#include <QString>
#include <optional>

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
  // The system's own system-modal box and its answer (Windows); empty where the system
  // has none (Linux), and a Qt box stands in.
  static std::optional<MessageAnswer> SystemModalBox(QWidget* parent, const MessageRequest& request);
};
