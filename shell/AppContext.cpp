#include "shell/AppContext.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

QString FromStd(std::u16string_view text) {
  return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

QString FromUtf8(const std::string& text) { return QString::fromUtf8(text); }

void SetOwner(QWidget* window, QWidget* owner) {
  if (!owner) return;
  window->winId();  // makes the native window whose owner is set
  if (window->windowHandle() && owner->windowHandle())
    window->windowHandle()->setTransientParent(owner->windowHandle());
}

void BringToFront(QWidget* window) {
  window->setWindowState((window->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
  window->show();
  window->raise();
  window->activateWindow();
}

void CentreOnScreen(QWidget* window) {
  QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  QRect frame = window->frameGeometry();
  frame.moveCenter(screen->availableGeometry().center());
  window->move(frame.topLeft());
}

QFont PointFont(const QString& family, double points, bool bold) {
  QFont font(family);
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}
