#include "ui/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWindow>
#include <functional>

#include "ui/WidgetEvents.h"

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

namespace {

// Centres the window's frame on the point `centre` gives. A window manager frames a
// window only as it maps it: until then the frame is unknown, and the window would sit
// off by half its title bar. So it is centred again once it is framed.
void CentreFramed(QWidget* window, const std::function<QPoint()>& centre) {
  const auto place = [window, centre] {
    QRect frame = window->frameGeometry();
    frame.moveCenter(centre());
    window->move(frame.topLeft());
  };
  place();
  OnFirstExposed(window, place);
}

}  // namespace

void CentreOnScreen(QWidget* window) {
  QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  CentreFramed(window, [screen = QPointer<QScreen>(screen), window] {
    return (screen ? screen->availableGeometry() : window->frameGeometry()).center();
  });
}

void CentreOnOwner(QWidget* window, QWidget* owner) {
  if (!owner || !owner->isVisible()) {
    CentreOnScreen(window);
    return;
  }
  CentreFramed(window, [owner = QPointer<QWidget>(owner), window] {
    return (owner ? owner.data() : window)->frameGeometry().center();
  });
}
