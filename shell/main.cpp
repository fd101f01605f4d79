#include <QApplication>

#include "platform/DesignFonts.h"
#include "platform/MessageBoxes.h"
#include "shell/AppContext.h"
#include "shell/ProgramArt.h"
#include "shell/ProgramEnd.h"
#include "shell/frmSplash.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(kProgramTitle);
  LoadDesignFonts();
  QApplication::setWindowIcon(ProgramIcon());
  // A hidden main window still checks reminders, so closing the last visible window
  // ends the program only once the main window is unloaded (see ProgramEnd).
  QApplication::setQuitOnLastWindowClosed(false);

  QtMessageBoxes messages;
  QtLauncher launcher;
  QtFileChooser files;
  ReminderStore store;
  AppContext app{store, SystemClock::Instance(), messages, launcher, DateTimeForms::User(), {}, {}};
  app.files = &files;
  ProgramEnd end(app);

  // The splash reads path.txt as it closes and then opens the main window.
  frmSplash::Start(app);
  return QApplication::exec();
}
