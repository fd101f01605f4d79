#include "shell/WindowPlacement.h"

#include <QWidget>

#include "shell/AppContext.h"

void CentreOnOwner(QWidget* window, QWidget* owner) {
  if (!owner || !owner->isVisible()) {
    CentreOnScreen(window);
    return;
  }
  QRect frame = window->frameGeometry();
  frame.moveCenter(owner->frameGeometry().center());
  window->move(frame.topLeft());
}
