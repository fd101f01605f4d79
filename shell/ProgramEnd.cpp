#include "shell/ProgramEnd.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include "shell/frmMain.h"

ProgramEnd::ProgramEnd(AppContext& app, std::function<void()> quit) : app_(app), quit_(std::move(quit)) {
  if (!quit_) quit_ = [] { QCoreApplication::quit(); };
  qApp->installEventFilter(this);
}

ProgramEnd::~ProgramEnd() {
  if (qApp) qApp->removeEventFilter(this);
}

bool ProgramEnd::IsDue(const AppContext& app) {
  if (app.main) return false;  // loaded, shown or hidden
  for (const QWidget* window : QApplication::topLevelWidgets())
    if (window->isVisible()) return false;
  return true;
}

bool ProgramEnd::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Hide && watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow())
    CheckSoon();
  return QObject::eventFilter(watched, event);
}

void ProgramEnd::CheckSoon() {
  if (pending_) return;
  pending_ = true;
  QTimer::singleShot(0, this, [this] {
    pending_ = false;
    if (IsDue(app_)) quit_();
  });
}
