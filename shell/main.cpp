#include <QApplication>

#include "platform/MessageBoxes.h"
#include "shell/AppContext.h"
#include "shell/frmMain.h"
#include "store/HomeDirectory.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(kProgramTitle);
  QApplication::setApplicationDisplayName(kProgramTitle);
  // A hidden main window still checks reminders, so closing the last visible window
  // ends the program only once the main window is unloaded.
  QApplication::setQuitOnLastWindowClosed(false);

  QtMessageBoxes messages;
  QtLauncher launcher;
  QtFileChooser files;
  ReminderStore store;
  AppContext app{store, SystemClock::Instance(), messages, launcher, DateTimeForms::User(), {}, {}};
  app.files = &files;

  // A missing path.txt is reported once; the main window opens all the same.
  Status home = ReadHomeDirectory();
  if (!home.ok()) messages.Show(nullptr, {FromUtf8(home.text()), kProgramTitle});

  QObject::connect(&application, &QGuiApplication::lastWindowClosed, [&app] {
    if (!app.main || app.main->isUnloaded()) QCoreApplication::quit();
  });

  auto* main = new frmMain(app);
  main->show();
  CentreOnScreen(main);
  return QApplication::exec();
}
