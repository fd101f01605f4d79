#include "ui/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

void SetOwner(QWidget* window, QWidget* owner) {
  if (!owner) return;
  window->winId();  // makes the native window whose owner is set
  if (window->windowHandle() && owner->windowHandle())
    window->windowHandle()->setTransientParent(owner->windowHandle());
}

void BringForward(QWidget* window) {
  window->show();
  window->raise();
  window->activateWindow();
}

void BringToFront(QWidget* window) {
  window->setWindowState((window->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
  BringForward(window);
}

void CentreOnScreen(QWidget* window) {
  QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  QRect frame = window->frameGeometry();
  frame.moveCenter(screen->availableGeometry().center());
  window->move(frame.topLeft());
}

void CentreOnOwner(QWidget* window, QWidget* owner) {
  if (!owner || !owner->isVisible()) {
    CentreOnScreen(window);
    return;
  }
  QRect frame = window->frameGeometry();
  frame.moveCenter(owner->frameGeometry().center());
  window->move(frame.topLeft());
}
