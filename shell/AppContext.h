#pragma once

#include <QPointer>

#include "alarm/Alarm.h"
#include "store/ReminderStore.h"
#include "ui/Services.h"

class frmAbout;
class frmMain;
class frmMinimized;
class frmSetNewReminder;
class frmQuickAdd;
class frmManager;
class frmEdit;

// What the program's windows share: the store, the platform services, the alarm, and the
// single instance of each window, which only the shell knows. The program makes one with the
// real services; tests make one with fakes.
struct AppContext {
  ReminderStore& store;
  Services services;

  // Lives as long as the program; the main window starts and stops it.
  Alarm alarm{store, services};

  // The loaded main window, shown or hidden; none once it is unloaded.
  QPointer<frmMain> main = {};
  QPointer<frmSetNewReminder> setNew = {};
  QPointer<frmQuickAdd> quickAdd = {};
  QPointer<frmManager> manager = {};
  QPointer<frmEdit> edit = {};
  QPointer<frmAbout> about = {};
  QPointer<frmMinimized> minimized = {};
};
