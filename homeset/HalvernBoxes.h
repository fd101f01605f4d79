#pragma once

#include <QString>

class QWidget;

enum class BoxIcon { None, Critical };

// Every box Halvern shows has one OK button.
struct BoxRequest {
  QString text;
  QString title;
  BoxIcon icon = BoxIcon::None;
};

// Message boxes, behind an interface so that tests can answer them.
class HalvernBoxes {
 public:
  virtual ~HalvernBoxes() = default;
  // Waits until the user closes the box.
  virtual void Show(QWidget* parent, const BoxRequest& request) = 0;
};

class QtHalvernBoxes final : public HalvernBoxes {
 public:
  void Show(QWidget* parent, const BoxRequest& request) override;
};
