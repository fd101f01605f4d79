#pragma once

#include <QString>

#include "os/Clock.h"
#include "os/DateTimeForms.h"
#include "os/FileCheck.h"
#include "os/Registry.h"
#include "ui/FileChooser.h"
#include "ui/Launcher.h"
#include "ui/MessageBoxes.h"

inline const QString kProgramTitle = QStringLiteral("Reminder");

// The platform services the windows use. The program makes one with the real services;
// tests make one with fakes.
struct Services {
  const Clock& clock;
  MessageBoxes& messages;
  Launcher& launcher;
  const DateTimeForms& forms = DateTimeForms::User();
  // The open-file chooser of the entry dialogs; the program and the tests set it.
  FileChooser* files = nullptr;
  // Where the About box looks for the System Information tool; tests put fakes here.
  Registry* registry = &OsRegistry::Instance();
  const FileCheck* fileCheck = &OsFileCheck::Instance();
};
