#include "entry/WrappingCheckBox.h"

#include <QStyleOptionButton>
#include <QStylePainter>

void WrappingCheckBox::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);

  QStyleOptionButton box = option;
  box.rect = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this);
  box.rect.moveTop((height() - box.rect.height()) / 2);
  painter.drawPrimitive(QStyle::PE_IndicatorCheckBox, box);

  const int gap = style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &option, this);
  const QRect textArea = rect().adjusted(box.rect.right() + 1 + gap, 0, 0, 0);
  int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;
  if (!style()->styleHint(QStyle::SH_UnderlineShortcut, &option, this)) flags |= Qt::TextHideMnemonic;
  painter.drawItemText(textArea, flags, option.palette, isEnabled(), text(), QPalette::WindowText);

  if (hasFocus()) {
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = painter.boundingRect(textArea, flags, text()).adjusted(-1, 0, 1, 0);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
  }
}

bool WrappingCheckBox::hitButton(const QPoint& pos) const { return rect().contains(pos); }
