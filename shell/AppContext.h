#pragma once

#include <QPointer>
#include <chrono>
#include <optional>

#include "platform/Services.h"
#include "store/ReminderStore.h"

class frmAbout;
class frmMain;
class frmMinimized;
class frmTask;
class frmSetNewReminder;
class frmQuickAdd;
class frmManager;
class frmEdit;

// What the program's windows share: the store, the platform services, and the single
// instance of each window, which only the shell knows. The program makes one with the
// real services; tests make one with fakes.
struct AppContext {
  ReminderStore& store;
  Services services;

  QPointer<frmMain> main = {};
  QPointer<frmTask> task = {};
  // The last second the check covered, kept across a reload of the main window.
  std::optional<std::chrono::local_seconds> checkedUntil = {};
  QPointer<frmSetNewReminder> setNew = {};
  QPointer<frmQuickAdd> quickAdd = {};
  QPointer<frmManager> manager = {};
  QPointer<frmEdit> edit = {};
  QPointer<frmAbout> about = {};
  QPointer<frmMinimized> minimized = {};
};
