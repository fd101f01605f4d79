#pragma once

#include <QCheckBox>

// A check box whose caption wraps onto further lines inside its fixed size, as the
// dialog's long "And Launch this program" caption needs; a click anywhere on it toggles.
class WrappingCheckBox final : public QCheckBox {
  Q_OBJECT

 public:
  using QCheckBox::QCheckBox;

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool hitButton(const QPoint& pos) const override;
};
