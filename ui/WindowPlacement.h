#pragma once

#include <QPointer>
#include <QWidget>

// Makes `window` stay above `owner` without becoming its child, so it outlives it.
void SetOwner(QWidget* window, QWidget* owner);
// Shows a top-level window, raised above the others and active.
void BringForward(QWidget* window);
// Brings a window forward, restored first if it was minimized.
void BringToFront(QWidget* window);
// Centres a top-level window on the screen it is on.
void CentreOnScreen(QWidget* window);
// Centres a top-level window on its owner's frame; on the screen when it has no owner
// or the owner is hidden.
void CentreOnOwner(QWidget* window, QWidget* owner);

// Shows the one instance of a window that `slot` keeps. An open one only comes forward
// (`forward`); else `make` builds one, `slot` takes it at once (so that a message box the
// loading shows finds it open), and `open` shows and places it. `open` returns false
// when the new window must not stay: it is then deleted at once and null returned.
template <class Window, class Make, class Open>
Window* ShowOnce(QPointer<Window>& slot, Make make, Open open, void (*forward)(QWidget*) = BringForward) {
  if (slot) {
    forward(slot);
    return slot;
  }
  Window* window = make();
  slot = window;
  if (!open(window)) {
    // A deferred delete would wait for this event loop, and a loop run meanwhile would
    // take the dying window for an open one.
    delete window;
    return nullptr;
  }
  return window;
}
