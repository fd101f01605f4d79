#pragma once

#include <QFont>
#include <QSize>
#include <QString>
#include <QWidget>
#include <utility>

class QLabel;

// Halvern's windows are laid out in twips (1/1440 inch), 15 twips a pixel at 96 dpi.
constexpr int PixelsOfTwips(int twips) { return (twips + (twips >= 0 ? 7 : -7)) / 15; }

QSize SizeOfTwips(int width, int height);
void PlaceTwips(QWidget* widget, int left, int top, int width, int height);

// A window of Halvern: named for tests, titled for the user and screen readers, in the
// designed default font, of a fixed size with only a title and a close box, and deleted
// when closed.
void SetUpFixedWindow(QWidget* window, const char* name, const QString& title, int widthTwips, int heightTwips);

// A control named for tests and, unless `spoken` is empty, for screen readers; `args`
// come before the parent, as the control's constructor takes them.
template <class W, class... Args>
W* MakeNamed(QWidget* parent, const char* name, const QString& spoken, Args&&... args) {
  auto* widget = new W(std::forward<Args>(args)..., parent);
  widget->setObjectName(name);
  if (!spoken.isEmpty()) widget->setAccessibleName(spoken);
  return widget;
}

// The boxed label that shows a chosen folder, as plain text: a folder may be named "a<b>b".
QLabel* MakePathLabel(QWidget* parent, const QString& spoken, const QString& description);

// A font of a point size with a fraction (8.25 pt): the designed face, or the scalable
// face that stands in for it.
QFont FontOfPoints(const QString& family, double points);

// Lowers a word-wrapped label's font, when needed, until its whole text fits the label's
// box: system fonts vary in size, and the text must not be cut off.
void FitTextToBox(QLabel* label);

// Shows `path` in a one-line label, shortened in the middle when it does not fit: its end
// names the folder and must not be cut off. The label's accessible name is the whole path.
void ShowPathIn(QLabel* label, const QString& path);

// Makes `window` stay above `owner` without becoming its child.
void SetOwnerWindow(QWidget* window, QWidget* owner);
// Centres a shown top-level window over `over`, or on its screen when `over` is null.
void CentreOver(QWidget* window, QWidget* over);
