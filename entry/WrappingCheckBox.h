#pragma once

#include <QCheckBox>

class QStyleOptionButton;

// A check box whose caption wraps onto further lines inside its fixed size, as the
// dialog's long "And Launch this program" caption needs; a click anywhere on it toggles.
class WrappingCheckBox final : public QCheckBox {
  Q_OBJECT

 public:
  using QCheckBox::QCheckBox;

  // Grows the box about its middle, where its wrapped caption needs more height than it has.
  void GrowToText();

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool hitButton(const QPoint& pos) const override;

 private:
  static constexpr int kTextFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;
  // Right of the box and its gap.
  QRect TextArea(const QStyleOptionButton& option) const;
};
