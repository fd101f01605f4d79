#include <QApplication>
#include <QPointer>
#include <cstdlib>

#include "os/WindowPlatform.h"
#include "shell/AppContext.h"
#include "shell/ComeForward.h"
#include "shell/ProgramArt.h"
#include "shell/ProgramEnd.h"
#include "shell/QtRunningCopy.h"
#include "shell/frmSplash.h"
#include "store/HomeDirectory.h"
#include "ui/MessageBoxes.h"
#include "ui/QtText.h"

int main(int argc, char* argv[]) {
  // Stay-on-top, frameless windows and positions hold on X11: through it wherever offered.
  if (const std::string platform = ChosenWindowPlatform(std::getenv("DISPLAY"), std::getenv("QT_QPA_PLATFORM"));
      !platform.empty())
    qputenv("QT_QPA_PLATFORM", platform.c_str());
  QApplication application(argc, argv);
  QApplication::setApplicationName(kProgramTitle);

  // Two copies would announce every reminder twice: a second start of this user, on
  // any display, brings the running copy forward and ends here, before its splash, so
  // it touches no store; the running copy reads path.txt again.
  QtRunningCopy running;
  const RunningCopy::Start start = running.ClaimOrCall();
  if (start == RunningCopy::Start::Answered) return 0;

  QApplication::setWindowIcon(ProgramIcon());
  // A hidden main window still checks reminders, so closing the last visible window
  // ends the program only once the main window is unloaded (see ProgramEnd).
  QApplication::setQuitOnLastWindowClosed(false);

  QtMessageBoxes messages;
  // Never a second copy without the user knowing.
  if (start == RunningCopy::Start::Unguarded)
    messages.Show(nullptr, {QStringLiteral("Reminder cannot make sure that it runs only once, so a reminder may be "
                                           "announced twice: ") +
                                FromUtf8(running.Why()),
                            kProgramTitle, MessageButtons::Ok, MessageIcon::Exclamation});
  QtLauncher launcher;
  QtFileChooser files;
  ReminderStore store;
  AppContext app{store, {SystemClock::Instance(), messages, launcher, DateTimeForms::User(), &files}};
  // The claim goes as soon as the program decides to end: a start from then on runs
  // itself instead of calling a copy that is going away.
  ProgramEnd end(app, [&running] {
    running.Release();
    QCoreApplication::quit();
  });

  // The splash reads path.txt as it closes and then opens the main window.
  QPointer<frmSplash> splash = frmSplash::Start(app);
  running.OnCalled([&app, &splash](const std::string& activationToken) {
    ComeForward(
        app, splash, [] { return RereadHomeDirectory(); }, activationToken);
  });
  return QApplication::exec();
}
