#include "shell/Controls.h"

#include <QLabel>
#include <QPushButton>

QPushButton *MakeButton(QWidget *parent, const char *name,
                        const QString &caption, const QString &spoken,
                        const QFont &font) {
  auto *button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setAccessibleName(spoken);
  button->setFont(font);
  return button;
}

QLabel *MakeLabel(QWidget *parent, const char *name, const QString &caption,
                  const QString &spoken, const QFont &font) {
  auto *label = new QLabel(caption, parent);
  label->setObjectName(name);
  label->setAccessibleName(spoken);
  label->setFont(font);
  return label;
}
