#pragma once

#include <QString>
#include <QWidget>
#include <memory>

#include "alarm/ReminderCheck.h"
#include "shell/AppContext.h"

class QLabel;
class QPushButton;
class QTimer;

// The hub of the program: today's count, the way to the other windows, and the
// once-a-second check, which runs while this window is loaded, shown or hidden.
class frmMain : public QWidget, private ReminderAnnouncer {
  Q_OBJECT

 public:
  explicit frmMain(AppContext& app);
  ~frmMain() override;

  // Shows the main window, loading it first when it is not loaded (or was unloaded),
  // and brings it forward.
  static frmMain* Open(AppContext& app);

  // Recounts today's reminders; the other windows' reports of a changed store run it.
  void Form_Load();

  // Shows the small window that stands in for this one while it is hidden.
  void ShowStandIn();

  // One tick of the check; the timer calls it every second.
  void timCheckReminders_Timer();

  // True once the window has been unloaded: reminders no longer fire.
  bool isUnloaded() const { return unloaded_; }

  // The task of the last announced reminder, read by the task window.
  const QString& target() const { return target_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  // Escape presses "&About...", the window's cancel button.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void BuildControls();
  void BuildLines();
  void SetTabOrder();
  void StartCheck();
  void StoreChanged();
  void UnloadIfLoaded();

  void cmdSetNew_Click();
  void cmdManage_Click();
  void Label4_Click();
  void cmdAbout_Click();
  void cmdClose_Click();
  void cmdExit_Click();
  void Form_Unload();

  void Announce(const DueReminder& reminder) override;
  void ReportFailure(const std::string& text) override;

  AppContext& app_;
  QString target_;
  bool unloaded_ = false;
  std::unique_ptr<ReminderCheck> check_;

  QLabel* lblNoOfReminders_ = nullptr;
  QLabel* Label1_ = nullptr;
  QLabel* Label2_ = nullptr;
  QLabel* Label3_ = nullptr;
  QLabel* Label4_ = nullptr;
  QPushButton* cmdSetNew_ = nullptr;
  QPushButton* cmdManage_ = nullptr;
  QPushButton* cmdAbout_ = nullptr;
  QPushButton* cmdClose_ = nullptr;
  QPushButton* cmdExit_ = nullptr;
  QTimer* timCheckReminders_ = nullptr;
};
