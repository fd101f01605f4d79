#include "ui/Controls.h"

#include <QFont>
#include <QLabel>
#include <QPushButton>

QFont PointFont(const QString& family, double points, bool bold) {
  QFont font(family);
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

namespace {

template <class Control>
Control* MakeNamed(QWidget* parent, const char* name, const QString& caption, const QString& spoken,
                   const QFont& font) {
  auto* control = new Control(caption, parent);
  control->setObjectName(name);
  control->setAccessibleName(spoken);
  control->setFont(font);
  return control;
}

}  // namespace

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption, const QString& spoken,
                        const QFont& font) {
  return MakeNamed<QPushButton>(parent, name, caption, spoken, font);
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& caption, const QString& spoken, const QFont& font) {
  auto* label = MakeNamed<QLabel>(parent, name, caption, spoken, font);
  // Labels show folders and reminders' texts, which are never markup, whatever their characters.
  label->setTextFormat(Qt::PlainText);
  return label;
}

void SetUpWindow(QWidget* window, const char* name, const QString& title, const QString& spoken) {
  window->setObjectName(name);
  if (!title.isEmpty()) window->setWindowTitle(title);
  if (!spoken.isEmpty()) window->setAccessibleName(spoken);
  window->setAttribute(Qt::WA_DeleteOnClose);
}

void FixWindowSize(QWidget* window, Qt::WindowType kind, const QSize& size) {
  window->setWindowFlags(kind | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  window->setFixedSize(size);
}
