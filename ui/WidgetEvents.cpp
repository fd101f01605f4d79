#include "ui/WidgetEvents.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace {

class EventHook final : public QObject {
 public:
  using Handler = std::function<bool(QObject* watched, QEvent* event)>;
  // Watches `watched` (the widget itself, without one) for as long as the widget lives.
  EventHook(QWidget* widget, Handler handler, QObject* watched = nullptr)
      : QObject(widget), handler_(std::move(handler)) {
    (watched ? watched : widget)->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override { return handler_(watched, event); }

 private:
  Handler handler_;
};

}  // namespace

void OnKeyUp(QWidget* widget, std::function<void()> handler) {
  new EventHook(widget, [handler = std::move(handler)](QObject*, QEvent* event) {
    if (event->type() == QEvent::KeyRelease) handler();
    return false;
  });
}

void FilterTypedKeys(QWidget* widget, std::function<int(int)> filter) {
  new EventHook(widget, [filter = std::move(filter)](QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const QString typed = key->text();
    if (typed.isEmpty()) return false;
    QString kept;
    for (QChar c : typed) {
      const int code = filter(c.unicode());
      if (code != 0) kept.append(QChar(static_cast<char16_t>(code)));
    }
    if (kept == typed) return false;
    if (!kept.isEmpty()) {
      QKeyEvent replaced(QEvent::KeyPress, key->key(), key->modifiers(), kept, key->isAutoRepeat());
      QCoreApplication::sendEvent(watched, &replaced);
    }
    return true;
  });
}

void OnClick(QWidget* widget, std::function<void()> handler) {
  new EventHook(widget, [widget, handler = std::move(handler)](QObject*, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
      // A press dragged off the widget before its release is no click.
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() == Qt::LeftButton && widget->rect().contains(mouse->position().toPoint())) handler();
    } else if (event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
        handler();
        return true;
      }
    }
    return false;
  });
}

void OnFirstExposed(QWidget* window, std::function<void()> handler) {
  QWindow* handle = window->windowHandle();
  if (!handle || handle->isExposed()) return;
  new EventHook(
      window,
      [handle, handler = std::move(handler), done = false](QObject*, QEvent* event) mutable {
        if (!done && event->type() == QEvent::Expose && handle->isExposed()) {
          done = true;
          handler();
        }
        return false;
      },
      handle);
}
