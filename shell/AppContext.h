#pragma once

#include <QFont>
#include <chrono>
#include <optional>
#include <QPointer>
#include <QString>

#include "platform/Clock.h"
#include "platform/DateTimeForms.h"
#include "platform/FileChooser.h"
#include "platform/FileCheck.h"
#include "platform/Launcher.h"
#include "platform/MessageBoxes.h"
#include "platform/Registry.h"
#include "store/ReminderStore.h"

class frmAbout;
class frmMain;
class frmMinimized;
class frmTask;
class frmSetNewReminder;
class frmQuickAdd;
class frmManager;
class frmEdit;
class QWidget;

inline const QString kProgramTitle = QStringLiteral("Reminder");

// What the windows share: the store, the clock and the platform services they use, and
// the single instance of each window. The program makes one with the real services;
// tests make one with fakes.
struct AppContext {
  ReminderStore& store;
  const Clock& clock;
  MessageBoxes& messages;
  Launcher& launcher;
  const DateTimeForms& forms = DateTimeForms::User();

  QPointer<frmMain> main;
  QPointer<frmTask> task;
  // The last second the check covered, kept across a reload of the main window.
  std::optional<std::chrono::local_seconds> checkedUntil = {};
  QPointer<frmSetNewReminder> setNew = {};
  QPointer<frmQuickAdd> quickAdd = {};
  QPointer<frmManager> manager = {};
  QPointer<frmEdit> edit = {};
  // The open-file chooser of the entry dialogs; the program and the tests set it.
  FileChooser* files = nullptr;
  QPointer<frmAbout> about = {};
  QPointer<frmMinimized> minimized = {};

  // Where the About box looks for the System Information tool; tests put fakes here.
  Registry* registry = &OsRegistry::Instance();
  const FileCheck* fileCheck = &OsFileCheck::Instance();
};

QString FromStd(std::u16string_view text);
QString FromUtf8(const std::string& text);

// A font of a point size with a fraction (6.75 pt, 8.25 pt).
QFont PointFont(const QString& family, double points, bool bold = false);

// Makes `window` stay above `owner` without becoming its child, so it outlives it.
void SetOwner(QWidget* window, QWidget* owner);
// Shows a top-level window, restored if it was minimized, above the others and active.
void BringToFront(QWidget* window);
// Centres a top-level window on the screen it is on.
void CentreOnScreen(QWidget* window);
