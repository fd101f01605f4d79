#pragma once

#include <QString>

class QFont;
class QLabel;
class QPushButton;
class QWidget;

// Buttons and labels as every window makes them: named as the window names its
// controls, with the words a screen reader speaks for them.
QPushButton *MakeButton(QWidget *parent, const char *name,
                        const QString &caption, const QString &spoken,
                        const QFont &font);
QLabel *MakeLabel(QWidget *parent, const char *name, const QString &caption,
                  const QString &spoken, const QFont &font);
