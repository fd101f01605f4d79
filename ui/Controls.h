#pragma once

#include <QSize>
#include <QString>
#include <Qt>

class QFont;
class QLabel;
class QPushButton;
class QWidget;

// A font of a point size with a fraction (6.75 pt, 8.25 pt): the designed face, or the
// scalable face that stands in for it.
QFont PointFont(const QString& family, double points, bool bold = false);

// Buttons and labels as every window makes them: named as the window names its
// controls, with the words a screen reader speaks for them. A label draws its text as
// spelled, never as markup.
QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption, const QString& spoken,
                        const QFont& font);
QLabel* MakeLabel(QWidget* parent, const char* name, const QString& caption, const QString& spoken, const QFont& font);

// A top-level window as the program makes them: named, titled and spoken (each left
// alone when empty), in the designed default font, and deleted once closed.
void SetUpWindow(QWidget* window, const char* name, const QString& title, const QString& spoken);
// A window of `kind` (a dialog or a plain window) that only its title and close box
// decorate and that the user cannot resize.
void FixWindowSize(QWidget* window, Qt::WindowType kind, const QSize& size);
