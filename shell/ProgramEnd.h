#pragma once

#include <QObject>
#include <functional>

#include "shell/AppContext.h"

// Ends the program once the main window is unloaded and none of the program's windows
// is left on screen. Qt's own rule does not fit: a hidden main window still checks
// reminders; a window with an owner does not count for Qt, so an open task window
// would be cut short; and the minimized window closes just before it reloads the main
// window.
class ProgramEnd : public QObject {
  Q_OBJECT

 public:
  explicit ProgramEnd(AppContext& app, std::function<void()> quit = {});
  ~ProgramEnd() override;

  // True when the main window is unloaded (or was never loaded and nothing is shown)
  // and no window of the program is visible.
  static bool IsDue(const AppContext& app);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Looks again once the current event is done, so that a window that closes and
  // opens another in the same handler does not end the program.
  void CheckSoon();

  AppContext& app_;
  std::function<void()> quit_;
  bool pending_ = false;
};
