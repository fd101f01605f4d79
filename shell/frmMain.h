#pragma once

#include <QString>
#include <QWidget>

#include "shell/AppContext.h"

class QLabel;
class QPushButton;

// The hub of the program: today's count and the way to the other windows. The alarm runs
// while this window is loaded, shown or hidden.
class frmMain : public QWidget {
  Q_OBJECT

 public:
  explicit frmMain(AppContext& app);
  ~frmMain() override;

  // Shows the main window, loading it first when it is not loaded (or was unloaded),
  // and brings it forward.
  static frmMain* Open(AppContext& app);

  // Recounts today's reminders.
  void Form_Load();
  // Recounts after a change of the store or of the home; an unloaded window does not.
  void StoreChanged();

  // Shows the small window that stands in for this one while it is hidden.
  void ShowStandIn();

 protected:
  void closeEvent(QCloseEvent* event) override;
  // Escape presses "&About...", the window's cancel button.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void BuildControls();
  void BuildLines();
  void SetTabOrder();
  void UnloadIfLoaded();

  void cmdSetNew_Click();
  void cmdManage_Click();
  void Label4_Click();
  void cmdAbout_Click();
  void cmdClose_Click();
  void cmdExit_Click();
  void Form_Unload();

  AppContext& app_;
  bool unloaded_ = false;

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
};
