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

  const QRect textArea = TextArea(option);
  int flags = kTextFlags;
  if (!style()->styleHint(QStyle::SH_UnderlineShortcut, &option, this)) flags |= Qt::TextHideMnemonic;
  painter.drawItemText(textArea, flags, option.palette, isEnabled(), text(), QPalette::WindowText);

  if (hasFocus()) {
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = painter.boundingRect(textArea, flags, text()).adjusted(-1, 0, 1, 0);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
  }
}

void WrappingCheckBox::GrowToText() {
  QStyleOptionButton option;
  initStyleOption(&option);
  const QRect area = TextArea(option);
  const int needed =
      fontMetrics().boundingRect(QRect(area.topLeft(), QSize(area.width(), 0)), kTextFlags, text()).height();
  if (needed > height()) setGeometry(x(), y() - (needed - height()) / 2, width(), needed);
}

QRect WrappingCheckBox::TextArea(const QStyleOptionButton& option) const {
  const int box = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this).right() + 1;
  return rect().adjusted(box + style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &option, this), 0, 0, 0);
}

bool WrappingCheckBox::hitButton(const QPoint& pos) const { return rect().contains(pos); }
